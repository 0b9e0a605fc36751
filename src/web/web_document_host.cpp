#include "web/web_document_host.h"

namespace kelto::web {

TSaveAnswer TWebDocumentHost::AskSaveChanges(const std::string& text)
{
    const std::string said = FPage.Answer("askSaveChanges", text);
    return said == "yes" ? TSaveAnswer::Yes : said == "no" ? TSaveAnswer::No : TSaveAnswer::Cancel;
}

std::optional<std::string> TWebDocumentHost::FileToSave(const char* kind) const
{
    const std::string name = FPage.Answer("chooseFileToSave", std::string(kind));
    if (name.empty() || name.find('/') != std::string::npos)
        return std::nullopt;
    return std::string(kFileFolder) + "/" + name;
}

} // namespace kelto::web
