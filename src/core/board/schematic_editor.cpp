// The canvas's events turned into wiring, part actions and dialogs.
#include "core/board/schematic_editor.h"

#include "core/board/guidance_texts.h"
#include "core/devices/device_table.h"

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
    FBoard.SetPartRemovedListener([this](const TSimuPart& part) { ForgetPinsOf(part); });
}

TSchematicEditor::~TSchematicEditor()
{
    FBoard.SetPartRemovedListener(nullptr);
}

void TSchematicEditor::OnMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y)
{
    if (PlainLeft(button, shift))
        MouseDown(x, y);
}

void TSchematicEditor::OnMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y)
{
    if (!PlainLeft(button, shift))
        return;
    const int32_t connections = FBoard.Canvas().ConnectionCount();
    MouseUp(x, y);
    if (FBoard.Canvas().ConnectionCount() == connections + 1) {
        TCanvasEdit edit;
        edit.Kind = TEditKind::AddWire;
        edit.Wire = CaptureWire(FBoard, *FBoard.Canvas().Connections(connections));
        Edited(std::move(edit));
    }
}

void TSchematicEditor::OnObjectClick(TdxFcObject* item, int32_t x, int32_t y)
{
    if (ChartObjectClick(item, x, y) != TInstrument::None)
        FHost.RestartClickTimer();
}

// A press on a wire crossing the part is the wire's, not the part's.
void TSchematicEditor::MouseDown(int32_t clientX, int32_t clientY)
{
    TSimuPart* part = FBoard.PartAtPoint(clientX, clientY);
    if (part == nullptr || (FBoard.Canvas().HitTestAt(clientX, clientY) & OnWireFlag) != 0)
        return;
    PressPart(*part, FBoard.Canvas().ClientToChart(clientX, clientY));
}

void TSchematicEditor::MouseUp(int32_t clientX, int32_t clientY)
{
    PinClick(clientX, clientY);
    if (TSimuPart* part = FBoard.PartAtPoint(clientX, clientY))
        ReleasePart(*part, FBoard.Canvas().ClientToChart(clientX, clientY));
}

TInstrument TSchematicEditor::ChartObjectClick(TdxFcObject* item, int32_t pointerClientX,
                                               int32_t pointerClientY)
{
    TSimuPart* part = FBoard.PartOfBody(item);
    if (part == nullptr)
        return TInstrument::None;
    ClickPart(*part);
    if (part->FOwnerType != otOScopes && part->FOwnerType != otAudioas)
        return TInstrument::None;
    if (FBoard.PinAtPoint(pointerClientX, pointerClientY) != nullptr)
        return TInstrument::None;
    FPendingInstrument = part->FOwnerType == otOScopes ? TInstrument::OScopes : TInstrument::Audioas;
    return FPendingInstrument;
}

TdxFcConnection* TSchematicEditor::ConnectPins()
{
    TdxFcObject* first = FPinClicks[0];
    TdxFcObject* second = FPinClicks[1];
    if (first == nullptr || second == nullptr || first == second)
        return nullptr;
    for (const TdxFcObject* wired : first->WiredObjects())
        if (wired == second)
            return nullptr;
    return FBoard.Canvas().CreateConnection(first, second);
}

void TSchematicEditor::PinClick(int32_t clientX, int32_t clientY)
{
    // A pin clicked starts or ends a wire, so it needs its canvas object.
    TSimuPortInfo* record = FBoard.PinAtPoint(clientX, clientY);
    TdxFcObject* pin = record == nullptr ? nullptr : record->FOwner->Pin(record->FPinIndex);
    if (pin == nullptr) {
        FPinClickCount = 0;
        return;
    }
    FPinClicks[static_cast<size_t>(FPinClickCount)] = pin;
    if (++FPinClickCount < 2)
        return;
    if (FPinClicks[1] == FPinClicks[0]) {
        FPinClickCount = 1;
        return;
    }
    ConnectPins();
    FPinClickCount = 0;
}

// A click kept from before may name a pin of a part about to go.
void TSchematicEditor::ForgetPinsOf(const TSimuPart& part)
{
    for (TdxFcObject*& pin : FPinClicks)
        if (pin != nullptr && pin->UserData != nullptr && pin->UserData->FOwner == &part) {
            pin = nullptr;
            FPinClickCount = 0;
        }
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
    const int32_t item = FBoard.SlotItemOf(part);
    const TPaletteItem* entry = PaletteItem(item);
    if (FHost.ShowDeleteDialog(entry != nullptr ? std::string(entry->Caption) : part->FName) !=
        TModalResult::mrNo)
        return;
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

TSimuPart* TSchematicEditor::PlaceItem(int32_t item)
{
    if (TSimuPart* placed = FBoard.Slot(item)) {
        FBoard.Canvas().Select(placed->FBody);
        FBoard.LogLine(std::string(kOnlyOneBefore) + std::string(PaletteItem(item)->Caption) +
                       std::string(kOnlyOneAfter));
        return placed;
    }
    TSimuPart* part = FBoard.PlaceItem(item);
    if (part != nullptr) {
        TCanvasEdit edit;
        edit.Kind = TEditKind::PlacePart;
        edit.Part = CapturePart(FBoard, *part);
        Edited(std::move(edit));
    }
    return part;
}

void TSchematicEditor::Edited(TCanvasEdit edit)
{
    if (FOnEdit)
        FOnEdit(std::move(edit));
}

void TSchematicEditor::ClickTimerTimer()
{
    FHost.StopClickTimer();
    if (FPendingInstrument != TInstrument::None)
        FHost.ShowInstrumentWindow(FPendingInstrument);
}

} // namespace kelto
