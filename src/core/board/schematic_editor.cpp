// The canvas's events turned into board actions and dialogs.
#include "core/board/schematic_editor.h"

namespace kelto {

namespace {

// Part actions answer the plain left button only; a double-click's second
// press still counts as plain.
bool PlainLeft(TMouseButton button, TShiftState shift)
{
    return button == TMouseButton::mbLeft && (shift & (ssShift | ssAlt | ssCtrl)) == 0;
}

bool JoinsTwoPins(const TdxFcConnection& connection)
{
    return connection.SourceObject() != nullptr && connection.SourceObject()->UserData != nullptr &&
           connection.TargetObject() != nullptr && connection.TargetObject()->UserData != nullptr;
}

} // namespace

TSchematicEditor::TSchematicEditor(TSimuBoard& board, IEditorHost& host)
    : FBoard(board), FHost(host), FMouse(board.Canvas(), *this)
{
}

void TSchematicEditor::OnMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y)
{
    if (PlainLeft(button, shift))
        FBoard.dxFlowChart1MouseDown(x, y);
}

void TSchematicEditor::OnMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y)
{
    if (PlainLeft(button, shift))
        FBoard.dxFlowChart1MouseUp(x, y);
}

void TSchematicEditor::OnObjectClick(TdxFcObject* item, int32_t x, int32_t y)
{
    if (FBoard.ChartObjectClick(item, x, y) != TInstrument::None)
        FHost.RestartClickTimer();
}

// No tick runs while parts are dragged; the canvas repaints once at the end.
void TSchematicEditor::OnDragHandlerOn()
{
    FHost.SetFrameClockEnabled(false);
    FBoard.Canvas().BeginUpdate();
}

void TSchematicEditor::OnDragHandlerOff()
{
    FBoard.Canvas().EndUpdate();
    FHost.SetFrameClockEnabled(true);
}

void TSchematicEditor::OnDblClick()
{
    const TdxFlowChart& canvas = FBoard.Canvas();
    if (canvas.SelectedConnectionCount() > 0)
        EditSelectedWire();
    else if (canvas.SelectedObjectCount() > 0)
        DeleteSelectedPart();
}

// A part's own connections (the resistor's track) are not wires: deleting
// one would leave the part holding a dangling track.
void TSchematicEditor::EditSelectedWire()
{
    TdxFcConnection* wire = FBoard.Canvas().SelectedConnection();
    if (wire == nullptr || !JoinsTwoPins(*wire))
        return;
    const TWireDialogAnswer answer = FHost.ShowWireDialog(wire->LineStyle());
    if (answer.Result == TModalResult::mrOk && answer.Style)
        wire->SetLineStyle(*answer.Style);
    else if (answer.Result == TModalResult::mrNo)
        FBoard.Canvas().DeleteConnection(wire);
}

void TSchematicEditor::DeleteSelectedPart()
{
    TSimuPart* part = FBoard.PartOfBody(FBoard.Canvas().SelectedObject());
    if (part == nullptr)
        return;
    FHost.StopClickTimer();
    if (FHost.ShowDeleteDialog() != TModalResult::mrNo)
        return;
    const int32_t item = FBoard.SlotItemOf(part);
    if (item == kOScopesItem)
        FHost.HideInstrumentWindow(TInstrument::OScopes);
    else if (item == kAudioasItem)
        FHost.HideInstrumentWindow(TInstrument::Audioas);
    FBoard.DeletePart(part);
}

void TSchematicEditor::ClickTimerTimer()
{
    FHost.StopClickTimer();
    if (FBoard.FPendingInstrument != TInstrument::None)
        FHost.ShowInstrumentWindow(FBoard.FPendingInstrument);
}

} // namespace kelto
