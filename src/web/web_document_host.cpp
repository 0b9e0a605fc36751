#include "web/web_document_host.h"

namespace kelto::web {

emscripten::val TWebDocumentHost::Call(const char* name, const std::string& text)
{
    if (FPage.isUndefined() || FPage[name].isUndefined())
        return emscripten::val::undefined();
    return FPage.call<emscripten::val>(name, text);
}

TSaveAnswer TWebDocumentHost::AskSaveChanges(const std::string& text)
{
    const emscripten::val answer = Call("askSaveChanges", text);
    if (!answer.isString())
        return TSaveAnswer::Cancel;
    const std::string said = answer.as<std::string>();
    return said == "yes" ? TSaveAnswer::Yes : said == "no" ? TSaveAnswer::No : TSaveAnswer::Cancel;
}

} // namespace kelto::web
