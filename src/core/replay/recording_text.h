// Recordings as files: one UTF-8 text that stands alone (the circuit and the
// program inside), with a format number and a checksum so that a file from
// another version, cut short or edited by hand is refused, not half-played.
//
//   KeltoSimu recording
//   format 1
//   made-by keltosimu 0.1.0
//   run-at-start 1
//   speed-factor 1
//   seed 4021
//   dt 0.001*5000 0.0015*1        tick lengths in seconds, value*count
//   clock 12:00:00*3 12:00:01*1   the local clock's readings, in order
//   tune-playing 1*800 0*1        PLAY's wait: the tune still sounds
//   clock-announcing 1*2100 0*1   CLOCK's wait: the clock still speaks
//   clip-file-found 0*1           a file voice clip was there
//   action 1500 press:3           before tick 1500, as --at takes it
//   circuit 8123                  that many bytes of circuit file follow,
//   <bytes>                       then a line end
//   program 12                    that many program lines follow
//   <lines>
//   checksum 5d0b5e3c2a8e1f77     FNV-1a 64 of every byte before this line
//
// Answer lines may repeat (their runs follow on); an answer line that is
// absent means the run never asked.
#pragma once

#include "core/replay/run_recording.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelto {

constexpr int kRecordingFormat = 1;
// Far more than a long run with many actions takes; a larger file is refused unread.
constexpr size_t kMaxRecordingBytes = 256u * 1024u * 1024u;

std::string WriteRecording(const TRunRecording& recording);
// The checksum line that ends a recording whose other lines are `body`.
std::string RecordingChecksumLine(std::string_view body);
// Nothing and the reason (naming the line) when the text is not a whole,
// unedited recording of this format.
std::optional<TRunRecording> ReadRecording(std::string_view text, std::string& error);

} // namespace kelto
