// Program text files (*.txt): the editor's lines as GBK text with CR LF after
// every line. The editor side is UTF-8.
#pragma once

#include "core/files/file_result.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelto {

// The most lines a program may have: twice the usable line numbers. Every
// line costs far more memory than its bytes, so a file of bare line ends
// would otherwise take gigabytes.
constexpr size_t kMaxProgramLines = 65536;

// CR LF, a lone LF and a lone CR each end a line; a final line end adds no
// empty line.
std::vector<std::string> SplitProgramText(std::string_view text);

// A program file's bytes as UTF-8. Files are GBK, but a teacher's editor may
// have written UTF-8: with a byte-order mark, or valid UTF-8 that cannot be
// GBK Chinese. Bytes that fit neither become U+FFFD.
std::string DecodeProgramText(std::string_view bytes);
// Reads with DecodeProgramText.
TFileResult LoadProgramFile(const std::string& path, std::vector<std::string>& lines);
// Refuses, naming the line, when a character has no GBK form: a lossy file
// is never written. The old file stays intact on any failure.
TFileResult SaveProgramFile(const std::string& path, const std::vector<std::string>& lines);
// The file's bytes for the lines, or the reason they cannot be written.
TFileResult EncodeProgramText(const std::vector<std::string>& lines, std::string& bytes);

// The editor's lines as the interpreter reads them; characters without a
// GBK form become '?'.
std::vector<std::string> ProgramLinesAsGbk(const std::vector<std::string>& lines);

} // namespace kelto
