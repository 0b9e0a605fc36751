// Any program text, prepared and run for a few hundred ticks on a small
// circuit where every microcontroller port pin reaches a part, so pin reads,
// port writes and device statements all act on something.
#include "core/board/board.h"
#include "core/files/program_file.h"
#include "core/sim/sim_engine.h"
#include "core/sound/midi_gen.h"
#include "core/sound/simulated_clock_speaker.h"
#include "core/sound/virtual_devices.h"
#include "core/sound/virtual_stream_device.h"

#include <cstdint>
#include <string_view>

using namespace kelto;

namespace {

constexpr int kTicks = 300;
constexpr double kDeltaTime = 0.001;

struct TWire {
    int32_t Item; // palette item of the part
    int32_t Pin;
    int32_t Entry; // McuPortPinMap entry, or -1 for the ground part
};

// LCD data on port B with a row of LEDs beside it, its control lines on
// PD0..PD2, an LED and both motors on the rest of port D, and inputs and a
// servo on port C.
constexpr TWire kWires[] = {
    {23, 3, 7},   {23, 4, 8},  {23, 5, 9},  {23, 6, 10}, {23, 7, 11}, {23, 8, 12}, {23, 9, 13},
    {23, 10, 14}, {20, 0, 7},  {20, 7, 14}, {23, 0, 23}, {23, 1, 24}, {23, 2, 25}, {7, 0, 26},
    {10, 0, 27},  {10, 1, 28}, {11, 0, 29}, {11, 1, 30}, {18, 0, 15}, {6, 0, 16},  {15, 0, 17},
    {15, 1, -1},  {4, 0, 18},  {16, 0, 19}, {19, 0, 20}, {12, 0, 21},
};

void BuildCircuit(TSimuBoard& board)
{
    TSimuPart* mcu = board.PlaceItem(kMcuItem);
    TSimuPart* ground = board.PlaceItem(13);
    for (const TWire& wire : kWires) {
        TSimuPart* part = board.Slot(wire.Item);
        if (part == nullptr)
            part = board.PlaceItem(wire.Item);
        TdxFcObject* other =
            wire.Entry < 0 ? ground->Pin(0) : mcu->Pin(McuPortPinMap[static_cast<size_t>(wire.Entry)]);
        board.Canvas().CreateConnection(part->Pin(wire.Pin), other);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TSimuBoard board;
    BuildCircuit(board);
    TVirtualStreamDevice streamDevice;
    TMidiGen midiGen(streamDevice);
    midiGen.SetSustain(true);
    TVirtualWavePlayer wavePlayer;
    TFixedClock clock(TLocalTime{});
    TSimulatedClockSpeaker clockSpeaker(clock);
    TSeededRandom random(1);
    board.SetSoundDevices({&midiGen, &wavePlayer, &clockSpeaker, &clock, &random});

    board.SetEditorLines(SplitProgramText(std::string_view(reinterpret_cast<const char*>(data), size)));
    board.ButtonRUNClick();
    for (int tick = 1; tick <= kTicks && board.Basic().FRunning; ++tick) {
        board.RunTick(kDeltaTime, tick * kDeltaTime);
        streamDevice.AdvanceTime(kDeltaTime);
        midiGen.DeliverNotifications();
        clockSpeaker.AdvanceTime(kDeltaTime);
    }
    return 0;
}
