// The oscilloscopes' recordings as files other programs read: a Value Change
// Dump for waveform viewers, CSV for spreadsheets.
#pragma once

#include "core/instruments/scope_samples.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kelto {

// The instruments' names in exported files, as the runner names them.
constexpr std::string_view kOScopesDataName = "scope";
constexpr std::string_view kAudioasDataName = "scope1";

struct TScopeTrace {
    std::string_view Name;
    const TScopeSamples& Samples;
};

// One VCD scope per instrument. Each channel is a real variable named by its
// probe letter holding the value 0..1, nan at a null point, and a wire
// LETTER_level, 1 at 0.5 or more and x at a null point, for viewers that read
// only wires. Sample i lies at i x secondsPerSample, counted in the largest
// timescale that holds that step exactly; a recording shorter than another
// turns null where it ends.
std::string ScopeVcd(std::span<const TScopeTrace> traces, double secondsPerSample);

// UTF-8 with a byte order mark (spreadsheets then read the headers right) and
// CR LF lines: the sample number, then one column per channel; a null point
// is an empty cell. headers: the sample column's, then one per channel.
std::string ScopeCsv(const TScopeSamples& samples, std::span<const std::string> headers);

enum class TScopeDataFormat : uint8_t { Csv, Vcd };

// The type a file's extension names, else the one chosen in the save dialog.
TScopeDataFormat ScopeDataFormatOf(std::string_view path, TScopeDataFormat chosen);

} // namespace kelto
