#include "full_board.h"

namespace kelto {

namespace {

bool WiredToPorts(TOwnerType type)
{
    switch (type) {
    case otSegDispTwo:
    case otSegDispSix:
    case otBitDisp:
    case otDotMat1616:
    case otDotMat3232:
    case otLCD1602:
    case otNOTGate:
    case otANDGate:
    case otORGate:
    case otANDNGate:
    case otORNGate:
    case otDFlipFlop:
    case otJKFlipFlop:
    case otOutExpander:
    case otOScopes:
    case otAudioas:
    case otVoMeter: return true;
    default: return false;
    }
}

} // namespace

void BuildFullBoard(TSimuBoard& board)
{
    for (const TPaletteItem& item : PaletteItems())
        board.PlaceItem(item.Item);
    TSimuPart* mcu = board.Slot(kMcuItem);
    std::vector<TdxFcObject*> portPins;
    for (int entry = kPortBBase; entry < kPortDBase + 8; ++entry)
        if (McuPortPinMap[static_cast<size_t>(entry)] >= 0)
            portPins.push_back(mcu->Pin(McuPortPinMap[static_cast<size_t>(entry)]));
    size_t next = 0;
    for (const TSimuPortInfo* pin : WiredPins(board))
        board.Canvas().CreateConnection(portPins[next++ % portPins.size()], pin->FOwner->Pin(pin->FPinIndex));
}

std::vector<TSimuPortInfo*> WiredPins(const TSimuBoard& board)
{
    std::vector<TSimuPortInfo*> pins;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        if (WiredToPorts(board.Part(i)->FOwnerType))
            for (int32_t p = 0; p < board.Part(i)->PinCount(); ++p)
                pins.push_back(board.Part(i)->Port(p));
    return pins;
}

std::vector<TSimuPart*> PlacedParts(const TSimuBoard& board)
{
    std::vector<TSimuPart*> parts;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        parts.push_back(board.Part(i));
    return parts;
}

} // namespace kelto
