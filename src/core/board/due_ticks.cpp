#include "core/board/due_ticks.h"

#include <algorithm>

namespace kelto {

void TDueTicks::SetTickLength(int64_t nanoseconds)
{
    FTickLength = std::max<int64_t>(nanoseconds, 1);
    FOwed = 0;
}

int32_t TDueTicks::Take(int64_t elapsedNanoseconds)
{
    FOwed = std::min(FOwed + std::max<int64_t>(elapsedNanoseconds, 0), kMaxCatchUpNanoseconds);
    const int64_t due = FOwed / FTickLength;
    FOwed -= due * FTickLength;
    return static_cast<int32_t>(due);
}

} // namespace kelto
