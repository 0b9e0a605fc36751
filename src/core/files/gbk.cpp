#include "core/files/gbk.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace kelto {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// One conversion descriptor per call keeps the functions thread-safe.
class TIconv {
public:
    TIconv(const char* to, const char* from) : FHandle(iconv_open(to, from)) {}
    ~TIconv()
    {
        if (Valid())
            iconv_close(FHandle);
    }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;
    bool Valid() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns the number of input bytes used.
    // Without a converter only ASCII, the same in both, gets through.
    size_t Convert(std::string_view input, std::string& output)
    {
        if (!Valid()) {
            const auto end = std::find_if(input.begin(), input.end(),
                                          [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
            const size_t ascii = static_cast<size_t>(end - input.begin());
            output.append(input.substr(0, ascii));
            return ascii;
        }
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[256];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(FHandle, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<size_t>(out - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG)
                break;
        }
        return input.size() - inLeft;
    }

private:
    iconv_t FHandle;
};

// The code point of the UTF-8 sequence at the start of text; 0 if malformed.
char32_t LeadingCodePoint(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    size_t length = first < 0x80           ? 1
                    : (first >> 5) == 0x6  ? 2
                    : (first >> 4) == 0xE  ? 3
                    : (first >> 3) == 0x1E ? 4
                                           : 0;
    if (length == 0 || length > text.size())
        return 0;
    char32_t code = length == 1 ? first : first & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    return code;
}

// The byte length of the UTF-8 sequence at the start of text, at least 1.
size_t LeadingLength(std::string_view text)
{
    const unsigned char first = static_cast<unsigned char>(text[0]);
    const size_t length = (first >> 5) == 0x6 ? 2 : (first >> 4) == 0xE ? 3 : (first >> 3) == 0x1E ? 4 : 1;
    return std::min(length, text.size());
}

} // namespace

TGbkConversion EncodeGbk(std::string_view utf8)
{
    TGbkConversion result;
    TIconv converter("GBK", "UTF-8");
    const size_t used = converter.Convert(utf8, result.Text);
    if (used < utf8.size()) {
        result.Ok = false;
        result.FailedOffset = used;
        result.FailedCharacter = LeadingCodePoint(utf8.substr(used));
    }
    return result;
}

std::string EncodeGbkLenient(std::string_view utf8)
{
    std::string text;
    TIconv converter("GBK", "UTF-8");
    while (!utf8.empty()) {
        const size_t used = converter.Convert(utf8, text);
        utf8.remove_prefix(used);
        if (utf8.empty())
            break;
        text += '?';
        utf8.remove_prefix(LeadingLength(utf8));
    }
    return text;
}

std::string DecodeGbk(std::string_view gbk)
{
    std::string text;
    TIconv converter("UTF-8", "GBK");
    while (!gbk.empty()) {
        const size_t used = converter.Convert(gbk, text);
        gbk.remove_prefix(used);
        if (gbk.empty())
            break;
        text += kReplacement;
        gbk.remove_prefix(1);
    }
    return text;
}

} // namespace kelto
