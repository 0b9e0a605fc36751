#include "web/web_editor_host.h"

namespace kelto::web {

TWireDialogAnswer TWebEditorHost::ShowWireDialog(TLineStyle current)
{
    const std::string said = FPage.Answer("showWireDialog", static_cast<int>(current));
    if (said == "delete")
        return {TModalResult::mrNo, std::nullopt};
    constexpr std::string_view kOk = "ok:";
    if (said.starts_with(kOk) && said.size() == kOk.size() + 1) {
        const int style = said.back() - '0';
        if (style >= 0 && style <= static_cast<int>(TLineStyle::lsElbowVertical))
            return {TModalResult::mrOk, static_cast<TLineStyle>(style)};
    }
    return {};
}

} // namespace kelto::web
