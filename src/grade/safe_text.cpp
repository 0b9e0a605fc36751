#include "grade/safe_text.h"

#include <cstdio>

namespace kelto::grade {

namespace {

// The length of the valid UTF-8 sequence at `at` and its code point; 0 when
// the byte there starts none.
size_t Utf8Sequence(std::string_view text, size_t at, char32_t& code)
{
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    const size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                         : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    code = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// C0, DEL and C1 controls, line and paragraph separators, and the marks that
// reverse the direction of what follows.
bool Hidden(char32_t code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029 ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069) || code == 0x200E ||
           code == 0x200F || code == 0x061C;
}

std::string Escape(std::string_view text, bool controls)
{
    std::string safe;
    safe.reserve(text.size());
    char buffer[16];
    for (size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const size_t length = Utf8Sequence(text, i, code);
        if (length == 0) {
            std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned char>(text[i]));
            safe += buffer;
            ++i;
            continue;
        }
        if (code == '\\')
            safe += "\\\\";
        else if (!controls || !Hidden(code))
            safe.append(text, i, length);
        else if (code == '\n' || code == '\r' || code == '\t')
            safe += code == '\n' ? "\\n" : code == '\r' ? "\\r" : "\\t";
        else if (code < 0x80) {
            std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned>(code));
            safe += buffer;
        } else {
            std::snprintf(buffer, sizeof buffer, "\\u{%04X}", static_cast<unsigned>(code));
            safe += buffer;
        }
        i += length;
    }
    return safe;
}

} // namespace

std::string PrintableText(std::string_view text)
{
    return Escape(text, true);
}

std::string JsonText(std::string_view text)
{
    return Escape(text, false);
}

std::string CsvCell(std::string_view text)
{
    std::string cell = PrintableText(text);
    if (!cell.empty() && (cell[0] == '=' || cell[0] == '+' || cell[0] == '-' || cell[0] == '@'))
        cell = "'" + cell;
    if (cell.find_first_of(",\"") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (char c : cell)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace kelto::grade
