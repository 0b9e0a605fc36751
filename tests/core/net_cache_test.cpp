// Kept nets and per-tick driver lists read exactly what walking every net on
// every read reads: two boards built and driven alike, one keeping nets and
// one walking, tick after tick through random wiring and user actions.
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/devices/device_actions.h"
#include "core/files/program_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace kelto {
namespace {

class TRepaints final : public ICanvasListener {
public:
    void CanvasInvalidated(const TRect& rect) override { Rects.push_back(rect); }
    void CanvasChanged() override {}
    std::vector<TRect> Rects;
};

std::vector<const TSimuPortInfo*> Pins(const TSimuBoard& board)
{
    std::vector<const TSimuPortInfo*> pins;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        for (int32_t p = 0; p < board.Part(i)->PinCount(); ++p)
            pins.push_back(board.Part(i)->Port(p));
    return pins;
}

TdxFcObject* Made(const TSimuPortInfo* pin)
{
    return pin->FOwner->Pin(pin->FPinIndex);
}

// Every pin's level and probe reading, read during each tick by the speaker
// and the microphone, placed before and after the microcontroller, whose
// single-pin reads change pin kinds in the middle of the tick.
struct TRig {
    explicit TRig(bool keepNets)
    {
        Board.Engine().SetNetCache(keepNets);
        Board.Canvas().SetListener(&Repaints);
        const auto readAll = [this](TSimuPart&, double, double) {
            for (const TSimuPortInfo* pin : Pins(Board)) {
                const TProbeReading probe = Board.Engine().ProbePin(pin);
                Reads.insert(Reads.end(), {static_cast<double>(Board.Engine().ReadPinLevel(pin)),
                                           static_cast<double>(probe.Status), probe.Value});
            }
        };
        Board.Engine().SetHandler(otSpeaker, readAll);
        Board.Engine().SetHandler(otMicphone, readAll);
    }
    // Outlives the board, whose teardown still reports to it.
    TRepaints Repaints;
    TSimuBoard Board;
    std::vector<double> Reads;
};

// Counts on the ports while its single-pin and analogue reads switch port C
// pins to inputs in the middle of the tick, so readers after the
// microcontroller must see the change.
const std::vector<std::string> kProgram{
    "0 REM \"KELTOBASIC\"",   "10 REM \"DDRB 255\"",  "20 REM \"DDRD 255\"",      "30 REM \"DDRC 255\"",
    "40 REM \"N=N+1\"",       "50 REM \"PORTC N\"",   "60 REM \"A=PC0+PC2\"",     "70 REM \"PORTB N*3+A\"",
    "80 REM \"DDRC 255-N\"",  "90 REM \"B=ADC1\"",    "100 REM \"PORTD PINC+B\"", "110 REM \"C=PCX\"",
    "120 REM \"PORTC PINB\"", "130 REM \"DDRC 255\"", "140 REM \"GOTO 40\"",
};

// One random step, applied alike to a board: a user action between ticks.
void Act(TSimuBoard& board, uint32_t what, uint32_t a, uint32_t b)
{
    TdxFlowChart& canvas = board.Canvas();
    const std::vector<const TSimuPortInfo*> pins = Pins(board);
    if (pins.empty() || board.PartCount() == 0)
        return;
    TSimuPart& part = *board.Part(static_cast<int32_t>(a % static_cast<uint32_t>(board.PartCount())));
    switch (what % 8) {
    case 0: canvas.CreateConnection(Made(pins[a % pins.size()]), Made(pins[b % pins.size()])); break;
    case 1:
        // Only wires: a part's own track belongs to the part and goes with it.
        if (canvas.ConnectionCount() > 0) {
            TdxFcConnection* wire = canvas.Connections(static_cast<int32_t>(b % canvas.ConnectionCount()));
            if (wire->SourceObject()->UserData != nullptr && wire->TargetObject()->UserData != nullptr)
                canvas.DeleteConnection(wire);
        }
        break;
    case 2:
        if (part.FOwnerType == otZhaDaoSwitch)
            FlipSwitch(static_cast<TSimuZhaDaoSwitch&>(part));
        break;
    case 3:
        if (part.FOwnerType == otAnNiuSwitch) {
            auto& button = static_cast<TSimuAnNiuSwitch&>(part);
            b % 2 ? PressButton(button) : ReleaseButton(button);
        }
        break;
    case 4:
        if (part.FOwnerType == otKeypad) {
            auto& keypad = static_cast<TSimuKeypad&>(part);
            const TKeyCell key{static_cast<int32_t>(b % 4), static_cast<int32_t>(b / 4 % 4)};
            b % 3 ? PressKey(keypad, key) : ReleaseKey(keypad, key);
        }
        break;
    case 5:
        if (part.FOwnerType == otResistance)
            SetSliderPosition(canvas, static_cast<TSimuResistance&>(part), (b % 101) / 100.0);
        break;
    case 6:
        // Fields set directly, as file loading and tests do, must be seen too.
        if (part.FOwnerType == otZhaDaoSwitch)
            static_cast<TSimuZhaDaoSwitch&>(part).FClosed ^= 1;
        if (part.FOwnerType == otKeypad)
            static_cast<TSimuKeypad&>(part).FKeys[b % 16] ^= 1;
        break;
    case 7:
        if (b % 4 == 0 && part.FOwnerType != otMCU)
            board.DeletePart(&part);
        break;
    }
}

std::vector<TSimuPart*> Parts(const TSimuBoard& board)
{
    std::vector<TSimuPart*> parts;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        parts.push_back(board.Part(i));
    return parts;
}

// Pin fields, repaints and the reads made during the tick.
void ExpectSameTick(TRig& kept, TRig& walked)
{
    const std::vector<const TSimuPortInfo*> a = Pins(kept.Board);
    const std::vector<const TSimuPortInfo*> b = Pins(walked.Board);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        const TSimuPortInfo& ra = *a[i];
        const TSimuPortInfo& rb = *b[i];
        ASSERT_EQ(ra.FKind, rb.FKind) << "pin " << i;
        ASSERT_EQ(ra.FLevel, rb.FLevel) << "pin " << i;
        ASSERT_EQ(ra.FValue, rb.FValue) << "pin " << i;
    }
    ASSERT_EQ(kept.Repaints.Rects, walked.Repaints.Rects);
    // NaN equals itself here: a pin's value may be any double a program wrote.
    ASSERT_EQ(kept.Reads.size(), walked.Reads.size());
    for (size_t i = 0; i < kept.Reads.size(); ++i)
        ASSERT_TRUE(kept.Reads[i] == walked.Reads[i] ||
                    (std::isnan(kept.Reads[i]) && std::isnan(walked.Reads[i])))
            << "read " << i;
    kept.Reads.clear();
    walked.Reads.clear();
}

// Reads between ticks gather afresh, so they are made only every few ticks:
// otherwise they would hide drivers kept too long from one tick to the next.
void ExpectSameReadsBetweenTicks(TRig& kept, TRig& walked)
{
    const std::vector<const TSimuPortInfo*> a = Pins(kept.Board);
    const std::vector<const TSimuPortInfo*> b = Pins(walked.Board);
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(kept.Board.Engine().ReadPinLevel(a[i]), walked.Board.Engine().ReadPinLevel(b[i]))
            << "pin " << i;
        ASSERT_EQ(kept.Board.Engine().ProbePin(a[i]), walked.Board.Engine().ProbePin(b[i])) << "pin " << i;
    }
}

int32_t ItemOf(TOwnerType type)
{
    for (const TPaletteItem& item : PaletteItems())
        if (item.Type == type)
            return item.Item;
    return -1;
}

TEST(NetCache, KeptNetsReadLikeWalkingEveryReadThroughRandomCircuitsAndActions)
{
    const auto& items = PaletteItems();
    for (uint32_t round = 0; round < 30; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        TRig kept(true), walked(false);
        std::mt19937 random(7919 * round + 1);
        std::vector<int32_t> placed{ItemOf(otSpeaker), kMcuItem, ItemOf(otMicphone)};
        for (int n = 0; n < 14; ++n)
            placed.push_back(items[random() % items.size()].Item);
        std::vector<std::pair<uint32_t, uint32_t>> wires;
        for (int w = 0; w < 45; ++w)
            wires.emplace_back(random(), random());
        for (TRig* rig : {&kept, &walked}) {
            for (int32_t item : placed)
                rig->Board.PlaceItem(item);
            const std::vector<const TSimuPortInfo*> pins = Pins(rig->Board);
            for (auto [a, b] : wires)
                rig->Board.Canvas().CreateConnection(Made(pins[a % pins.size()]), Made(pins[b % pins.size()]));
            rig->Board.SetEditorLines(kProgram);
            rig->Board.ButtonRUNClick();
        }
        for (int tick = 0; tick < 150; ++tick) {
            SCOPED_TRACE("tick " + std::to_string(tick));
            if (random() % 3 == 0) {
                const uint32_t what = random(), a = random(), b = random();
                Act(kept.Board, what, a, b);
                Act(walked.Board, what, a, b);
            }
            kept.Board.Engine().RunTick(Parts(kept.Board), 0.001, tick * 0.001);
            walked.Board.Engine().RunTick(Parts(walked.Board), 0.001, tick * 0.001);
            ExpectSameTick(kept, walked);
            if (tick % 4 == 3)
                ExpectSameReadsBetweenTicks(kept, walked);
            if (HasFatalFailure())
                return;
        }
    }
}

// A board whose displays, voltmeter and probes change every tick, so kept
// drivers are reused and forgotten all the time; user actions now and then.
TEST(NetCache, KeptNetsReadLikeWalkingEveryReadOnTheBusyBoard)
{
    TRig kept(true), walked(false);
    const std::string base = std::string(KELTO_BENCH_DATA_DIR) + "/busy_board";
    std::vector<std::string> lines;
    ASSERT_TRUE(LoadProgramFile(base + ".txt", lines).Ok);
    for (TRig* rig : {&kept, &walked}) {
        ASSERT_TRUE(LoadCircuitFile(rig->Board, base + ".dps").Ok);
        rig->Board.SetEditorLines(ProgramLinesAsGbk(lines));
        rig->Board.ButtonRUNClick();
    }
    std::mt19937 random(17);
    for (int tick = 0; tick < 600; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        if (random() % 20 == 0) {
            const uint32_t what = random(), a = random(), b = random();
            Act(kept.Board, what, a, b);
            Act(walked.Board, what, a, b);
        }
        kept.Board.RunTick(0.001, tick * 0.001);
        walked.Board.RunTick(0.001, tick * 0.001);
        ExpectSameTick(kept, walked);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
} // namespace kelto
