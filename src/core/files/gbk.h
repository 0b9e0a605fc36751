// GBK, the code page of program texts, to and from UTF-8 (glibc iconv).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelto {

struct TGbkConversion {
    bool Ok = true;
    std::string Text;
    // When not Ok: the byte offset in the input of the first character that
    // could not be converted, and that character's code point (0 if the
    // input itself was malformed).
    size_t FailedOffset = 0;
    char32_t FailedCharacter = 0;
};

// Strict: stops at the first character GBK cannot hold.
TGbkConversion EncodeGbk(std::string_view utf8);
// For the interpreter, which only needs bytes: such characters become '?'.
std::string EncodeGbkLenient(std::string_view utf8);
// Bytes that are not GBK become U+FFFD, so nothing stops a file from loading.
std::string DecodeGbk(std::string_view gbk);

} // namespace kelto
