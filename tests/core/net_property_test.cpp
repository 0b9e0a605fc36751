// Random circuits read the same through the engine's traversal as through a
// plain transcription of the net rules with linear index searches.
#include "board_helpers.h"

#include <gtest/gtest.h>

#include <random>

namespace kelto {
namespace {

class TReferenceNet {
public:
    explicit TReferenceNet(const TdxFlowChart& chart) : FChart(chart) {}

    std::vector<int32_t> Collect(const TdxFcObject* pin)
    {
        FVisited.assign(static_cast<size_t>(FChart.ObjectCount()), false);
        Visit(IndexOf(pin));
        std::vector<int32_t> list;
        for (int32_t j = 0; j < FChart.ObjectCount(); ++j)
            if (FVisited[static_cast<size_t>(j)])
                list.push_back(j);
        return list;
    }

private:
    int32_t IndexOf(const TdxFcObject* object) const
    {
        for (int32_t i = 0; i < FChart.ObjectCount(); ++i)
            if (FChart.Objects(i) == object)
                return i;
        return -1;
    }

    void Follow(const TdxFcObject* object)
    {
        const int32_t j = IndexOf(object);
        if (j >= 0 && !FVisited[static_cast<size_t>(j)])
            Visit(j);
    }

    void Visit(int32_t i)
    {
        FVisited[static_cast<size_t>(i)] = true;
        const TdxFcObject* o = FChart.Objects(i);
        const TSimuPortInfo* r = o->UserData;
        for (const TdxFcObject* w : o->WiredObjects())
            Follow(w);
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

    const TdxFlowChart& FChart;
    std::vector<bool> FVisited;
};

std::vector<TdxFcObject*> AllPins(const TSimuBoard& board)
{
    std::vector<TdxFcObject*> pins;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        for (TdxFcObject* pin : board.Part(i)->FPins)
            pins.push_back(pin);
    return pins;
}

TEST(NetProperty, RandomCircuitsMatchTheReferenceTraversal)
{
    std::mt19937 random(20261209);
    const auto& items = PaletteItems();
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        TSimuBoard board;
        for (int n = 0; n < 12; ++n)
            board.PlaceItem(items[random() % items.size()].Item);
        std::vector<TdxFcObject*> pins = AllPins(board);
        for (int w = 0; w < 40; ++w)
            board.Canvas().CreateConnection(pins[random() % pins.size()], pins[random() % pins.size()]);
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
        TReferenceNet reference(board.Canvas());
        for (const TdxFcObject* pin : pins) {
            std::vector<int32_t> fast;
            board.Engine().CollectNet(pin, fast);
            const std::vector<int32_t> slow = reference.Collect(pin);
            ASSERT_EQ(fast, slow);
            int analogLow = 0, digitalLow = 0, drivers = 0;
            for (int32_t index : slow) {
                const TSimuPortInfo& r = *board.Canvas().Objects(index)->UserData;
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
