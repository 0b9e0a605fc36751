// The window around the schematic editor, as the page has it: the frame
// clock, the click timer, the wire and delete dialogs and the instrument
// windows are the page's.
#pragma once

#include "core/board/schematic_editor.h"
#include "web/page_calls.h"

namespace kelto::web {

class TWebEditorHost final : public IEditorHost {
public:
    // The page's setFrameClockEnabled(bool), restartClickTimer(),
    // stopClickTimer(), showWireDialog(style) -> "ok:STYLE" | "delete" |
    // "cancel" (styles numbered as TLineStyle), showDeleteDialog(caption)
    // -> "delete" | "cancel", and showInstrumentWindow(n) and
    // hideInstrumentWindow(n), n numbered as TInstrument.
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
    void ShowInstrumentWindow(TInstrument instrument) override
    {
        if (instrument != TInstrument::None)
            FPage.Call("showInstrumentWindow", static_cast<int>(instrument));
    }
    void HideInstrumentWindow(TInstrument instrument) override
    {
        if (instrument != TInstrument::None)
            FPage.Call("hideInstrumentWindow", static_cast<int>(instrument));
    }

private:
    const TPageCalls& FPage;
};

} // namespace kelto::web
