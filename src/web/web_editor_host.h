// The window around the schematic editor, as the page has it: the frame
// clock, the click timer and the wire and delete dialogs are the page's. The
// instrument windows are not on the page yet: they stay shut.
#pragma once

#include "core/board/schematic_editor.h"
#include "web/page_calls.h"

namespace kelto::web {

class TWebEditorHost final : public IEditorHost {
public:
    // The page's setFrameClockEnabled(bool), restartClickTimer(),
    // stopClickTimer(), showWireDialog(style) -> "ok:STYLE" | "delete" |
    // "cancel" (styles numbered as TLineStyle) and showDeleteDialog(caption)
    // -> "delete" | "cancel".
    explicit TWebEditorHost(const TPageCalls& page) : FPage(page) {}

    void SetFrameClockEnabled(bool enabled) override { FPage.Call("setFrameClockEnabled", enabled); }
    void RestartClickTimer() override { FPage.Call("restartClickTimer"); }
    void StopClickTimer() override { FPage.Call("stopClickTimer"); }
    TWireDialogAnswer ShowWireDialog(TLineStyle current) override;
    TModalResult ShowDeleteDialog(const std::string& partCaption) override
    {
        return FPage.Answer("showDeleteDialog", partCaption) == "delete" ? TModalResult::mrNo
                                                                          : TModalResult::mrCancel;
    }
    void ShowInstrumentWindow(TInstrument) override {}
    void HideInstrumentWindow(TInstrument) override {}

private:
    const TPageCalls& FPage;
};

} // namespace kelto::web
