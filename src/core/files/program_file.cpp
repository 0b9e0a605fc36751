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

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

struct TUtf8Scan {
    bool Valid = true;
    // A character of three bytes or more, as Chinese is in UTF-8. GBK text
    // almost never forms such sequences, while every GBK pair with a lead
    // byte from C2 to DF passes for a two-byte one.
    bool AnyWide = false;
};

// The length of the well-formed UTF-8 sequence at `at`, or 0.
size_t SequenceLength(std::string_view bytes, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char first = byte(at);
    const size_t length = first < 0x80                     ? 1
                          : first >= 0xC2 && first <= 0xDF ? 2
                          : first >= 0xE0 && first <= 0xEF ? 3
                          : first >= 0xF0 && first <= 0xF4 ? 4
                                                           : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    for (size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    if (length < 3)
        return length;
    // Overlong forms, surrogates and code points past U+10FFFF.
    const unsigned char second = byte(at + 1);
    const bool outOfRange = (first == 0xE0 && second < 0xA0) || (first == 0xED && second > 0x9F) ||
                            (first == 0xF0 && second < 0x90) || (first == 0xF4 && second > 0x8F);
    return outOfRange ? 0 : length;
}

TUtf8Scan ScanUtf8(std::string_view bytes)
{
    TUtf8Scan scan;
    for (size_t at = 0; at < bytes.size() && scan.Valid;) {
        const size_t length = SequenceLength(bytes, at);
        scan.Valid = length > 0;
        scan.AnyWide |= length > 2;
        at += length;
    }
    return scan;
}

// UTF-8 with each byte that starts no well-formed sequence as U+FFFD.
std::string ReplaceInvalidUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = SequenceLength(bytes, at);
        if (length == 0) {
            text += kReplacement;
            ++at;
        } else {
            text.append(bytes.substr(at, length));
            at += length;
        }
    }
    return text;
}

// The lines SplitProgramText makes of the file; GBK and UTF-8 never use line
// end bytes inside a character.
size_t LineCount(std::string_view bytes)
{
    size_t lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
        lines += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    return lines + (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r');
}

} // namespace

std::string DecodeProgramText(std::string_view bytes)
{
    if (bytes.starts_with(kByteOrderMark))
        return ReplaceInvalidUtf8(bytes.substr(kByteOrderMark.size()));
    const TUtf8Scan utf8 = ScanUtf8(bytes);
    return utf8.Valid && utf8.AnyWide ? std::string(bytes) : DecodeGbk(bytes);
}

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
    if (LineCount(bytes) > kMaxProgramLines) {
        TFileResult tooLong =
            TFileResult::Failure(TFileProblem::TooManyLines,
                                 "the file has more than " + std::to_string(kMaxProgramLines) + " lines",
                                 static_cast<int64_t>(kMaxProgramLines));
        tooLong.About(TFileOperation::Read, path, "Cannot read");
        return tooLong;
    }
    lines = SplitProgramText(DecodeProgramText(bytes));
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
