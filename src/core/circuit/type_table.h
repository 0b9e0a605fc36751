// Tables keyed by part type. Each is built at compile time from one row per
// type, so a type added to TOwnerType without a row in every table (or with
// two rows in one) stops the build instead of being skipped at run time.
#pragma once

#include "core/circuit/port_info.h"

#include <array>
#include <cstddef>

namespace kelto {

template <typename T> using TPartTable = std::array<T, kOwnerTypeCount>;

template <typename T> struct TPartRow {
    TOwnerType Type;
    T Value;
};

template <typename T, size_t N> consteval TPartTable<T> MakePartTable(const TPartRow<T> (&rows)[N])
{
    static_assert(N == kOwnerTypeCount, "every part type needs exactly one row");
    TPartTable<T> table{};
    std::array<bool, kOwnerTypeCount> seen{};
    for (const TPartRow<T>& row : rows) {
        if (!IsValidOwnerType(row.Type) || seen[row.Type])
            throw "a part type has two rows"; // not a constant expression: stops the build
        seen[row.Type] = true;
        table[row.Type] = row.Value;
    }
    return table;
}

} // namespace kelto
