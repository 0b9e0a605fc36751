// The window around the schematic editor, as the page has it: the frame
// clock and the click timer are the page's, and the delete dialog is the
// page's box. The wire dialog and the instrument windows are not on the page
// yet: the dialog cancels and the windows stay shut.
#pragma once

#include "core/board/schematic_editor.h"
#include "web/page_calls.h"

namespace kelto::web {

class TWebEditorHost final : public IEditorHost {
public:
    // The page's setFrameClockEnabled(bool), restartClickTimer(),
    // stopClickTimer() and showDeleteDialog(caption) -> "delete" | "cancel".
    explicit TWebEditorHost(const TPageCalls& page) : FPage(page) {}

    void SetFrameClockEnabled(bool enabled) override { FPage.Call("setFrameClockEnabled", enabled); }
    void RestartClickTimer() override { FPage.Call("restartClickTimer"); }
    void StopClickTimer() override { FPage.Call("stopClickTimer"); }
    TWireDialogAnswer ShowWireDialog(TLineStyle) override { return {}; }
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
