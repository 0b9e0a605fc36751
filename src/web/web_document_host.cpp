#include "web/web_document_host.h"

namespace kelto::web {

TSaveAnswer TWebDocumentHost::AskSaveChanges(const std::string& text)
{
    const std::string said = FPage.Answer("askSaveChanges", text);
    return said == "yes" ? TSaveAnswer::Yes : said == "no" ? TSaveAnswer::No : TSaveAnswer::Cancel;
}

} // namespace kelto::web
