#include "cli/json_writer.h"

#include "core/numbers/number_text.h"

#include <cmath>
#include <cstdio>

namespace kelto::cli {

void TJsonWriter::Separate()
{
    if (FAfterKey) {
        FAfterKey = false;
        return;
    }
    if (!FFirst.empty()) {
        if (!FFirst.back())
            FText += ',';
        FFirst.back() = false;
    }
}

TJsonWriter& TJsonWriter::BeginObject()
{
    Separate();
    FText += '{';
    FFirst.push_back(true);
    return *this;
}

TJsonWriter& TJsonWriter::EndObject()
{
    FText += '}';
    FFirst.pop_back();
    return *this;
}

TJsonWriter& TJsonWriter::BeginArray()
{
    Separate();
    FText += '[';
    FFirst.push_back(true);
    return *this;
}

TJsonWriter& TJsonWriter::EndArray()
{
    FText += ']';
    FFirst.pop_back();
    return *this;
}

TJsonWriter& TJsonWriter::Key(std::string_view key)
{
    String(key);
    FText += ':';
    FAfterKey = true;
    return *this;
}

TJsonWriter& TJsonWriter::String(std::string_view value)
{
    Separate();
    FText += '"';
    for (const char c : value) {
        switch (c) {
        case '"': FText += "\\\""; break;
        case '\\': FText += "\\\\"; break;
        case '\n': FText += "\\n"; break;
        case '\r': FText += "\\r"; break;
        case '\t': FText += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                FText += escaped;
            } else {
                FText += c;
            }
        }
    }
    FText += '"';
    return *this;
}

TJsonWriter& TJsonWriter::Int(int64_t value)
{
    Separate();
    FText += std::to_string(value);
    return *this;
}

TJsonWriter& TJsonWriter::Number(double value)
{
    if (!std::isfinite(value))
        return Null();
    Separate();
    FText += ShortestText(value);
    return *this;
}

TJsonWriter& TJsonWriter::Bool(bool value)
{
    Separate();
    FText += value ? "true" : "false";
    return *this;
}

TJsonWriter& TJsonWriter::Null()
{
    Separate();
    FText += "null";
    return *this;
}

} // namespace kelto::cli
