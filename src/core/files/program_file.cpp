#include "core/files/program_file.h"

#include "core/files/atomic_file.h"
#include "core/files/gbk.h"

#include <cstdio>

namespace kelto {

namespace {

constexpr size_t kMaxProgramBytes = 16 * 1024 * 1024;

std::string CodePointName(char32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
    return text;
}

} // namespace

std::vector<std::string> SplitProgramText(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

TFileResult LoadProgramFile(const std::string& path, std::vector<std::string>& lines)
{
    std::string bytes;
    if (TFileResult read = ReadWholeFile(path, bytes, kMaxProgramBytes); !read.Ok) {
        read.About(TFileOperation::Read, path, "Cannot read");
        return read;
    }
    lines = SplitProgramText(DecodeGbk(bytes));
    return TFileResult::Success();
}

TFileResult EncodeProgramText(const std::vector<std::string>& lines, std::string& bytes)
{
    bytes.clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        const TGbkConversion line = EncodeGbk(lines[i]);
        if (!line.Ok) {
            const std::string what = line.FailedCharacter != 0
                                         ? "the character " + CodePointName(line.FailedCharacter)
                                         : "text that is not valid UTF-8";
            TFileResult failure = TFileResult::Failure(TFileProblem::NotGbk,
                                                       "line " + std::to_string(i + 1) + " holds " + what +
                                                           ", which GBK cannot store",
                                                       static_cast<int64_t>(i + 1));
            failure.Character = line.FailedCharacter;
            return failure;
        }
        bytes += line.Text;
        bytes += "\r\n";
    }
    return TFileResult::Success();
}

TFileResult SaveProgramFile(const std::string& path, const std::vector<std::string>& lines)
{
    std::string bytes;
    TFileResult result = EncodeProgramText(lines, bytes);
    if (result.Ok)
        result = WriteFileAtomically(path, bytes);
    if (!result.Ok)
        result.About(TFileOperation::Write, path, "Cannot save");
    return result;
}

std::vector<std::string> ProgramLinesAsGbk(const std::vector<std::string>& lines)
{
    std::vector<std::string> gbk;
    gbk.reserve(lines.size());
    for (const std::string& line : lines)
        gbk.push_back(EncodeGbkLenient(line));
    return gbk;
}

} // namespace kelto
