// Random circuits read the same through the engine's traversal as through a
// plain transcription of the net rules with linear searches.
#include "board_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kelto {
namespace {

// Every pin of the board in parts-list order, then pin order: the order a
// net lists its pins in.
std::vector<const TSimuPortInfo*> AllPins(const TSimuBoard& board)
{
    std::vector<const TSimuPortInfo*> pins;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        for (int32_t p = 0; p < board.Part(i)->PinCount(); ++p)
            pins.push_back(board.Part(i)->Port(p));
    return pins;
}

class TReferenceNet {
public:
    explicit TReferenceNet(const TSimuBoard& board) : FPins(AllPins(board)) {}

    std::vector<const TSimuPortInfo*> Collect(const TSimuPortInfo* pin)
    {
        FVisited.assign(FPins.size(), false);
        Follow(pin);
        std::vector<const TSimuPortInfo*> list;
        for (size_t j = 0; j < FPins.size(); ++j)
            if (FVisited[j])
                list.push_back(FPins[j]);
        return list;
    }

private:
    void Follow(const TSimuPortInfo* record)
    {
        const auto at = std::find(FPins.begin(), FPins.end(), record);
        if (at == FPins.end() || FVisited[static_cast<size_t>(at - FPins.begin())])
            return;
        FVisited[static_cast<size_t>(at - FPins.begin())] = true;
        const TSimuPortInfo* r = record;
        if (const TdxFcObject* o = r->FOwner->MadePin(r->FPinIndex))
            for (const TdxFcObject* w : o->WiredObjects())
                Follow(w->UserData);
        if (r->FOwnerType == otZhaDaoSwitch && static_cast<const TSimuZhaDaoSwitch*>(r->FOwner)->FClosed)
            Follow(LinkedPin(*r, 0));
        if (r->FOwnerType == otKeypad) {
            const auto* keypad = static_cast<const TSimuKeypad*>(r->FOwner);
            const int p = r->FPinIndex;
            for (int k = 0; k < 4; ++k) {
                const uint8_t pressed = p < 4 ? keypad->FKeys[static_cast<size_t>(4 * k + p)]
                                              : keypad->FKeys[static_cast<size_t>(4 * (p - 4) + k)];
                if (pressed)
                    Follow(LinkedPin(*r, k));
            }
        }
    }

    std::vector<const TSimuPortInfo*> FPins;
    std::vector<bool> FVisited;
};

TEST(NetProperty, RandomCircuitsMatchTheReferenceTraversal)
{
    std::mt19937 random(20261209);
    const auto& items = PaletteItems();
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        TSimuBoard board;
        for (int n = 0; n < 12; ++n)
            board.PlaceItem(items[random() % items.size()].Item);
        std::vector<const TSimuPortInfo*> pins = AllPins(board);
        const auto object = [](const TSimuPortInfo* pin) { return pin->FOwner->Pin(pin->FPinIndex); };
        for (int w = 0; w < 40; ++w)
            board.Canvas().CreateConnection(object(pins[random() % pins.size()]), object(pins[random() % pins.size()]));
        if (board.PartCount() > 2)
            board.DeletePart(board.Part(static_cast<int32_t>(random() % board.PartCount())));
        for (int32_t i = 0; i < board.PartCount(); ++i) {
            TSimuPart& part = *board.Part(i);
            if (part.FOwnerType == otZhaDaoSwitch)
                static_cast<TSimuZhaDaoSwitch&>(part).FClosed = random() % 2;
            if (part.FOwnerType == otKeypad)
                for (uint8_t& key : static_cast<TSimuKeypad&>(part).FKeys)
                    key = random() % 3 == 0;
            for (int32_t p = 0; p < part.PinCount(); ++p) {
                TSimuPortInfo& record = *part.Port(p);
                record.FLevel = random() % 2;
                record.FValue = (random() % 100) / 100.0;
            }
        }
        pins = AllPins(board);
        TReferenceNet reference(board);
        for (const TSimuPortInfo* pin : pins) {
            std::vector<const TSimuPortInfo*> fast;
            board.Engine().CollectNet(pin, fast);
            const std::vector<const TSimuPortInfo*> slow = reference.Collect(pin);
            ASSERT_EQ(fast, slow);
            int analogLow = 0, digitalLow = 0, drivers = 0;
            for (const TSimuPortInfo* index : slow) {
                const TSimuPortInfo& r = *index;
                if (r.FKind == ANALOG_OUT) {
                    ++drivers;
                    analogLow += r.FValue < 0.5;
                } else if (r.FKind == DIGITAL_OUT) {
                    ++drivers;
                    digitalLow += r.FLevel < 1;
                }
            }
            const int16_t expected = drivers == 0 ? -1 : (analogLow + digitalLow == 0 ? 1 : 0);
            ASSERT_EQ(board.Engine().ReadPinLevel(pin), expected);
        }
    }
}

} // namespace
} // namespace kelto
