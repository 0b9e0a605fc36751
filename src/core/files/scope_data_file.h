// An oscilloscope window's 导出数据: its recording saved as CSV or VCD,
// replacing the file atomically like every other save.
#pragma once

#include "core/files/file_result.h"
#include "core/instruments/scope_export.h"

#include <span>
#include <string>

namespace kelto {

// The window's ticks have no fixed length: its VCD counts a millisecond a
// sample, the frame clock's shortest pause.
constexpr double kWindowSecondsPerSample = 0.001;

// The format follows ScopeDataFormatOf; csvHeaders as ScopeCsv takes them.
TFileResult SaveScopeData(const std::string& path, TScopeDataFormat chosen, const TScopeTrace& trace,
                          std::span<const std::string> csvHeaders);

} // namespace kelto
