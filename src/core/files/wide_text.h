// Recognises text stored two or four bytes per character (UTF-16, UTF-32),
// which the single-byte circuit reader and the GBK program reader would
// misread: by its byte order mark, or by the zero bytes of Latin text.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace kelto {

// "UTF-16", "UTF-32", or empty for anything else.
inline std::string_view WideTextEncoding(std::string_view bytes)
{
    using namespace std::string_view_literals;
    if (bytes.starts_with("\x00\x00\xFE\xFF"sv) || bytes.starts_with("\xFF\xFE\x00\x00"sv))
        return "UTF-32";
    if (bytes.starts_with("\xFE\xFF"sv) || bytes.starts_with("\xFF\xFE"sv))
        return "UTF-16";
    // Without a mark: the zero bytes fall at fixed places in every unit.
    const std::string_view sample = bytes.substr(0, std::min<size_t>(bytes.size(), 512) & ~size_t{3});
    if (sample.empty() || sample.find('\0') == std::string_view::npos)
        return {};
    const auto everyUnit = [&](size_t unit, auto zeroAt) {
        size_t matching = 0;
        for (size_t i = 0; i + unit <= sample.size(); i += unit)
            matching += zeroAt(sample.substr(i, unit)) ? 1 : 0;
        return matching * 2 >= sample.size() / unit; // at least half the units
    };
    const auto highHalfZero32 = [](std::string_view u) {
        return u[2] == '\0' && u[3] == '\0' && u[0] != '\0';
    };
    const auto lowHalfZero32 = [](std::string_view u) {
        return u[0] == '\0' && u[1] == '\0' && u[3] != '\0';
    };
    if (everyUnit(4, highHalfZero32) || everyUnit(4, lowHalfZero32))
        return "UTF-32";
    const auto secondZero16 = [](std::string_view u) { return u[1] == '\0' && u[0] != '\0'; };
    const auto firstZero16 = [](std::string_view u) { return u[0] == '\0' && u[1] != '\0'; };
    if (everyUnit(2, secondZero16) || everyUnit(2, firstZero16))
        return "UTF-16";
    return {};
}

} // namespace kelto
