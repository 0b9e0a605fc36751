// The interpreter's statement buffer: 128 characters and a terminator, read
// only through accessors that give 0 outside the loaded statement.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kelto {

class TStatementBuffer {
public:
    static constexpr int kCapacity = 128;

    // Copies the text up to its first zero byte, cut to kCapacity characters;
    // the rest of the buffer is cleared so no earlier statement shows through.
    void Load(std::string_view text);
    int32_t Length() const { return FLength; }
    std::string_view Text() const { return {FText.data(), static_cast<size_t>(FLength)}; }

    uint8_t At(int32_t position) const
    {
        return position >= 0 && position < FLength
                   ? static_cast<uint8_t>(FText[static_cast<size_t>(position)])
                   : 0;
    }
    // Overwrites one character of the statement with the terminator.
    void Terminate(int32_t position);
    // The first occurrence of needle at or after from, searching no further
    // than the next terminator; -1 when there is none.
    int32_t Find(std::string_view needle, int32_t from) const;

private:
    std::array<char, kCapacity + 1> FText{};
    int32_t FLength = 0;
};

} // namespace kelto
