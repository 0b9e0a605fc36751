// Any note string with any generator settings: the events come out sorted,
// the stream buffer stays whole records below its limit, and the virtual
// device plays it.
#include "core/sound/midi_gen.h"
#include "core/sound/midi_note_string.h"
#include "core/sound/virtual_stream_device.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace kelto;

namespace {

bool Sorted(const TMidiEventList& events)
{
    for (size_t i = 1; i < events.size(); ++i)
        if (events[i].Time < events[i - 1].Time)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Settings come from the end of the input, so a plain note string is a
    // useful seed as it is.
    FuzzedDataProvider in(data, size);
    TVirtualStreamDevice device;
    TMidiGen gen(device);
    gen.SetSustain(in.ConsumeBool());
    gen.SetChannel(in.ConsumeIntegralInRange<int32_t>(0, 15));
    gen.SetInstrument(in.ConsumeIntegralInRange<int32_t>(0, 174));
    gen.SetOctave(in.ConsumeIntegralInRange<int32_t>(0, 10));
    gen.SetDuration(in.ConsumeIntegralInRange<int32_t>(-1000, 100000));
    gen.SetPitchBend(in.ConsumeIntegralInRange<int32_t>(-120, 120));
    gen.SetPBDelay(in.ConsumeIntegralInRange<int32_t>(0, 100));
    gen.SetPBDuration(in.ConsumeIntegralInRange<int32_t>(0, 100));
    gen.SetModulation(in.ConsumeIntegralInRange<int32_t>(0, 100));
    gen.SetLoops(in.ConsumeIntegralInRange<int32_t>(0, 3));
    const std::string text = in.ConsumeRemainingBytesAsString();

    const TMidiVoice voice{gen.Channel(), gen.Instrument(), gen.Octave(), gen.Duration()};
    if (!Sorted(ParseNoteString(text, voice).Events))
        std::abort();
    gen.PlayString(text);
    const size_t queued = device.FLastQueued.size();
    if (queued % kStreamRecordSize != 0 || queued >= kStreamBufferLimit)
        std::abort();
    for (int step = 0; step < 20 && gen.IsPlaying(); ++step) {
        device.AdvanceTime(1.0);
        gen.DeliverNotifications();
    }
    gen.Stop();
    gen.DeliverNotifications();
    return 0;
}
