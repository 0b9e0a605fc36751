// A small streaming JSON writer: objects, arrays, numbers, strings, null.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelto::cli {

class TJsonWriter {
public:
    TJsonWriter& BeginObject();
    TJsonWriter& EndObject();
    TJsonWriter& BeginArray();
    TJsonWriter& EndArray();
    TJsonWriter& Key(std::string_view key);
    TJsonWriter& String(std::string_view value);
    TJsonWriter& Int(int64_t value);
    TJsonWriter& Number(double value);
    TJsonWriter& Bool(bool value);
    TJsonWriter& Null();

    const std::string& Text() const { return FText; }

private:
    void Separate();
    std::string FText;
    std::vector<bool> FFirst; // per open container: no element written yet
    bool FAfterKey = false;
};

} // namespace kelto::cli
