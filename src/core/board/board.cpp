// Placed parts and their slots, placement, deletion and the tick.
#include "core/board/board.h"

#include "core/devices/device_table.h"
#include "core/instruments/scope_handlers.h"

#include <algorithm>

namespace kelto {

TSimuBoard::TSimuBoard() : FEngine(FCanvas)
{
    InstallDeviceHandlers(FEngine);
    // A file may hold two microcontrollers; only the one in the palette slot
    // runs the program, the other is a part without one.
    FEngine.SetHandler(otMCU, [this](TSimuPart& part, double, double) {
        if (&part == FEngine.Mcu())
            FBasic.ExecuteStatement();
    });
    InstallScopeHandlers(FEngine, FOScopesRecorder, FAudioasRecorder, [this](const TSimuPart& probe) {
        return &probe == Slot(kOScopesItem) || &probe == Slot(kAudioasItem);
    });
}

TSimuBoard::~TSimuBoard()
{
    // Silently: the log's listeners may already be gone.
    FBasic.EndRun();
    ClearCircuit();
}

TSimuPart* TSimuBoard::Part(int32_t index) const
{
    if (index < 0 || index >= PartCount())
        return nullptr;
    return FParts[static_cast<size_t>(index)].Part.get();
}

int32_t TSimuBoard::IndexOfPart(const TSimuPart* part) const
{
    for (size_t i = 0; i < FParts.size(); ++i)
        if (FParts[i].Part.get() == part)
            return static_cast<int32_t>(i);
    return -1;
}

TSimuPart* TSimuBoard::PartAtPoint(int32_t clientX, int32_t clientY) const
{
    return PartOfBody(FCanvas.ItemAt(clientX, clientY));
}

TSimuPart* TSimuBoard::PartOfBody(const TdxFcObject* body) const
{
    if (body == nullptr)
        return nullptr;
    for (const TPartEntry& entry : FParts)
        if (entry.Body == body)
            return entry.Part.get();
    return nullptr;
}

TSimuPart* TSimuBoard::Slot(int32_t item) const
{
    if (item < 1 || item > kPaletteItemCount)
        return nullptr;
    return FPartSlots[static_cast<size_t>(item - 1)];
}

int32_t TSimuBoard::SlotItemOf(const TSimuPart* part) const
{
    if (part == nullptr)
        return 0;
    for (size_t i = 0; i < FPartSlots.size(); ++i)
        if (FPartSlots[i] == part)
            return static_cast<int32_t>(i) + 1;
    return 0;
}

TSimuPart* TSimuBoard::Adopt(std::unique_ptr<TSimuPart> part, const TPaletteItem& item)
{
    TSimuPart* placed = part.get();
    TdxFcObject* body = placed->FBody;
    FParts.push_back({std::move(part), body});
    placed->FName = std::string(item.Name);
    if (item.NormallyClosed)
        static_cast<TSimuAnNiuSwitch*>(placed)->MakeNormallyClosed();
    FPartSlots[static_cast<size_t>(item.Item - 1)] = placed;
    FTickParts.push_back(placed);
    RefreshMcu();
    return placed;
}

TSimuPart* TSimuBoard::PlaceItem(int32_t item)
{
    const TPaletteItem* entry = PaletteItem(item);
    if (entry == nullptr || Slot(item) != nullptr)
        return nullptr;
    return Adopt(CreateDevice(entry->Type, FCanvas), *entry);
}

TSimuPart* TSimuBoard::CreateFromItem(const TPaletteItem& item)
{
    return Adopt(CreateDevice(item.Type, FCanvas), item);
}

void TSimuBoard::FreePart(int32_t index)
{
    TSimuPart* part = Part(index);
    for (TSimuPart*& slot : FPartSlots)
        if (slot == part)
            slot = nullptr;
    if (FOnPartRemoved)
        FOnPartRemoved(*part);
    // Detach first so nothing can reach the part while its destructor runs.
    std::unique_ptr<TSimuPart> owned = std::move(FParts[static_cast<size_t>(index)].Part);
    FParts.erase(FParts.begin() + index);
    owned.reset();
}

void TSimuBoard::DeletePart(TSimuPart* part)
{
    const int32_t index = IndexOfPart(part);
    if (index < 0)
        return;
    if (part == Slot(kMcuItem))
        FBasic.AbortRun();
    FreePart(index);
    RebuildTickList();
    RefreshMcu();
}

void TSimuBoard::ClearCircuit()
{
    if (Slot(kMcuItem) != nullptr)
        FBasic.AbortRun();
    FCanvas.BeginUpdate();
    // Wires go first, newest first, so no deletion shifts the connection list.
    for (int32_t i = FCanvas.ConnectionCount() - 1; i >= 0; --i) {
        TdxFcConnection* connection = FCanvas.Connections(i);
        if (IsWire(connection))
            FCanvas.DeleteConnection(connection);
    }
    while (!FParts.empty())
        FreePart(PartCount() - 1);
    FPartSlots.fill(nullptr);
    FCanvas.EndUpdate();
    RebuildTickList();
    RefreshMcu();
}

void TSimuBoard::RebuildTickList()
{
    FTickParts.clear();
    for (const TPartEntry& entry : FParts)
        FTickParts.push_back(entry.Part.get());
}

void TSimuBoard::RefreshMcu()
{
    FEngine.SetMcu(static_cast<TSimuMCU*>(Slot(kMcuItem)));
}

void TSimuBoard::ButtonRUNClick()
{
    if (Slot(kMcuItem) != nullptr)
        FBasic.StartRun(FEditorLines);
}

void TSimuBoard::ButtonStepClick()
{
    if (FBasic.RunState() == TRunState::Idle) {
        ButtonRUNClick();
        FBasic.PauseRun();
    }
    FBasic.StepRun();
}

void TSimuBoard::RunTick(double deltaTime, double newTime)
{
    FEngine.RunTick(FTickParts, deltaTime, newTime);
}

bool TSimuBoard::IsWire(const TdxFcConnection* connection)
{
    return connection->SourceObject() != nullptr && connection->SourceObject()->UserData != nullptr &&
           connection->TargetObject() != nullptr && connection->TargetObject()->UserData != nullptr;
}

} // namespace kelto
