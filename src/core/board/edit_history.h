// Records of canvas edits (placing, moving, wiring, restyling and deleting)
// holding what it takes to take each back and make it again, by list
// positions, so a taken-back edit leaves the circuit exactly as before it.
#pragma once

#include "core/board/board.h"

#include <optional>
#include <vector>

namespace kelto {

struct TWireShape {
    int32_t Index = -1; // in the canvas's connection list
    TPinLocation Source;
    TPinLocation Target;
    TLineStyle Style = TLineStyle::lsStraight;
    std::vector<TPoint> Bends;
};

struct TPartShape {
    int32_t Index = -1; // in the parts list
    int32_t Item = 0;   // the palette item that builds it
    bool HoldsSlot = false;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t FirstObject = -1; // its block of canvas objects
    int32_t ObjectCount = 0;
    std::vector<int32_t> OwnConnections; // the part's inner connections (a track)
    std::vector<TWireShape> Wires;       // wires on its pins, by canvas index
};

struct TMovedObject {
    int32_t Index = -1;
    TPoint From;
    TPoint To;
};

struct TMovedBends {
    int32_t Index = -1;
    std::vector<TPoint> From;
    std::vector<TPoint> To;
};

// Where every canvas object stands and every connection bends.
struct TCanvasGeometry {
    std::vector<TPoint> Objects;
    std::vector<std::vector<TPoint>> Bends;
};

enum class TEditKind : uint8_t { PlacePart, DeletePart, AddWire, DeleteWire, WireStyle, Move };

struct TCanvasEdit {
    TEditKind Kind = TEditKind::Move;
    TPartShape Part; // PlacePart, DeletePart
    TWireShape Wire; // AddWire, DeleteWire, WireStyle (Index)
    TLineStyle OldStyle = TLineStyle::lsStraight;
    TLineStyle NewStyle = TLineStyle::lsStraight;
    std::vector<TMovedObject> Objects; // Move
    std::vector<TMovedBends> Bends;    // Move
};

// Taken while the part or wire is still there.
TPartShape CapturePart(const TSimuBoard& board, const TSimuPart& part);
TWireShape CaptureWire(const TSimuBoard& board, const TdxFcConnection& wire);
TCanvasGeometry CaptureGeometry(const TdxFlowChart& canvas);
// What changed between a capture and now; none when nothing moved.
std::optional<TCanvasEdit> MoveEdit(const TCanvasGeometry& before, const TdxFlowChart& canvas);

// The part or wire as it was, back at its positions; the part's wires too.
void RestorePart(TSimuBoard& board, const TPartShape& shape);
void RestoreWire(TSimuBoard& board, const TWireShape& shape);

void UndoEdit(TSimuBoard& board, const TCanvasEdit& edit);
void RedoEdit(TSimuBoard& board, const TCanvasEdit& edit);

} // namespace kelto
