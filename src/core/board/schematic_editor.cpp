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
    if (!PlainLeft(button, shift))
        return;
    const int32_t connections = FBoard.Canvas().ConnectionCount();
    FBoard.dxFlowChart1MouseUp(x, y);
    if (FBoard.Canvas().ConnectionCount() == connections + 1) {
        TCanvasEdit edit;
        edit.Kind = TEditKind::AddWire;
        edit.Wire = CaptureWire(FBoard, *FBoard.Canvas().Connections(connections));
        Edited(std::move(edit));
    }
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
    FDragStart = CaptureGeometry(FBoard.Canvas());
}

void TSchematicEditor::OnDragHandlerOff()
{
    FBoard.Canvas().EndUpdate();
    FHost.SetFrameClockEnabled(true);
    if (std::optional<TCanvasEdit> edit = MoveEdit(FDragStart, FBoard.Canvas()))
        Edited(std::move(*edit));
    FDragStart = {};
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
    TCanvasEdit edit;
    edit.Wire = CaptureWire(FBoard, *wire);
    if (answer.Result == TModalResult::mrOk && answer.Style && *answer.Style != wire->LineStyle()) {
        edit.Kind = TEditKind::WireStyle;
        edit.OldStyle = wire->LineStyle();
        edit.NewStyle = *answer.Style;
        wire->SetLineStyle(*answer.Style);
        Edited(std::move(edit));
    } else if (answer.Result == TModalResult::mrNo) {
        edit.Kind = TEditKind::DeleteWire;
        FBoard.Canvas().DeleteConnection(wire);
        Edited(std::move(edit));
    }
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
    TCanvasEdit edit;
    edit.Kind = TEditKind::DeletePart;
    edit.Part = CapturePart(FBoard, *part);
    FBoard.DeletePart(part);
    Edited(std::move(edit));
}

void TSchematicEditor::PlaceItem(int32_t item)
{
    if (TSimuPart* part = FBoard.PlaceItem(item)) {
        TCanvasEdit edit;
        edit.Kind = TEditKind::PlacePart;
        edit.Part = CapturePart(FBoard, *part);
        Edited(std::move(edit));
    }
}

void TSchematicEditor::Edited(TCanvasEdit edit)
{
    if (FOnEdit)
        FOnEdit(std::move(edit));
}

void TSchematicEditor::ClickTimerTimer()
{
    FHost.StopClickTimer();
    if (FBoard.FPendingInstrument != TInstrument::None)
        FHost.ShowInstrumentWindow(FBoard.FPendingInstrument);
}

} // namespace kelto
