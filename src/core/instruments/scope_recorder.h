// The Qt-free half of an oscilloscope window: the recording switch, the
// buttons' enabling, the horizontal axis window and the recorded samples.
// It belongs to the board, not to the probe part, so the recording outlives
// deleting the probe, New and Open.
#pragma once

#include "core/instruments/scope_samples.h"
#include "core/sim/sim_engine.h"

#include <cstdint>
#include <span>

namespace kelto {

// The scroll bar under the plot, in samples: Value is the axis minimum and
// runs from Minimum to Maximum; Page is the visible width.
struct TScopeScrollRange {
    int64_t Minimum = 0;
    int64_t Maximum = 0;
    int64_t Page = 0;
    int64_t Value = 0;
    bool operator==(const TScopeScrollRange&) const = default;
};

class TScopeRecorder {
public:
    static constexpr int64_t kPageSamples = 100;

    explicit TScopeRecorder(int32_t channelCount);

    // The buttons; a press on a disabled button does nothing, as in the window.
    void ButtonRunClick();
    void ButtonStopClick();
    void ButtonClearClick();
    bool RunEnabled() const { return FRunEnabled; }
    bool StopEnabled() const { return FStopEnabled; }
    bool ClearEnabled() const { return FClearEnabled; }
    bool Sampling() const { return FSampling; }

    // One tick's probe readings, channel by channel; nothing while not
    // sampling. Readings without a value (conflict, undriven) record nulls.
    void AppendReadings(std::span<const TProbeReading> readings);

    const TScopeSamples& Samples() const { return FSamples; }
    int32_t ChannelCount() const { return FSamples.ChannelCount(); }

    // Puts back a copy taken earlier (copies share the samples); a window
    // sees both versions change, so it redraws.
    void Restore(const TScopeRecorder& saved);

    // The visible window of the horizontal axis, in sample indices.
    int64_t AxisMinimum() const { return FAxisMinimum; }
    int64_t AxisMaximum() const { return FAxisMaximum; }
    // The scroll bar spans the recording and the visible window together.
    TScopeScrollRange ScrollRange() const;
    // The scroll bar moved: the window keeps its width.
    void PanAxisTo(int64_t minimum);

    // Changes with every change a window shows, so a window can tell whether to repaint.
    uint64_t Version() const { return FVersion; }
    // Changes when the axis moves or the recording is cleared, not when
    // samples are only appended: then a window need redraw only the new ones.
    uint64_t ViewVersion() const { return FViewVersion; }
    // How many of those changes were page turns made by recording, not by a
    // button or the scroll bar.
    uint64_t PageTurns() const { return FPageTurns; }

private:
    void SetAxis(int64_t minimum);

    TScopeSamples FSamples;
    bool FSampling = false;
    bool FRunEnabled = true;
    bool FStopEnabled = false;
    bool FClearEnabled = false;
    int64_t FAxisMinimum = 0;
    int64_t FAxisMaximum = kPageSamples;
    uint64_t FVersion = 0;
    uint64_t FViewVersion = 0;
    uint64_t FPageTurns = 0;
};

} // namespace kelto
