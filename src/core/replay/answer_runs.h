// A sequence of answers in the order they were asked, kept as runs of equal
// values: a tune that plays for ten seconds answers "still playing" ten
// thousand times but takes one run.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace kelto {

template <class T> class TAnswerRuns {
public:
    struct TRun {
        T Value{};
        int64_t Count = 0;
        bool operator==(const TRun&) const = default;
    };

    void Append(const T& value) { AppendRun(value, 1); }
    void AppendRun(const T& value, int64_t count)
    {
        if (count <= 0)
            return;
        FTotal += count;
        if (!FRuns.empty() && FRuns.back().Value == value)
            FRuns.back().Count += count;
        else
            FRuns.push_back({value, count});
    }

    // The next answer when reading back; none once all are used.
    std::optional<T> Next()
    {
        while (FRun < FRuns.size() && FUsed == FRuns[FRun].Count) {
            ++FRun;
            FUsed = 0;
        }
        if (FRun == FRuns.size())
            return std::nullopt;
        ++FUsed;
        ++FRead;
        return FRuns[FRun].Value;
    }
    // How many answers Next has given since the start or the last seek.
    int64_t Read() const { return FRead; }
    // Next gives the answer after the first `read` ones.
    void SeekTo(int64_t read)
    {
        FRun = 0;
        FUsed = 0;
        FRead = 0;
        while (FRun < FRuns.size() && read - FRead >= FRuns[FRun].Count) {
            FRead += FRuns[FRun].Count;
            ++FRun;
        }
        FUsed = FRun < FRuns.size() ? std::max<int64_t>(0, read - FRead) : 0;
        FRead += FUsed;
    }
    // Keeps the first `count` answers; reading goes on from the end.
    void Truncate(int64_t count)
    {
        int64_t kept = 0;
        size_t run = 0;
        for (; run < FRuns.size() && kept < count; ++run) {
            FRuns[run].Count = std::min(FRuns[run].Count, count - kept);
            kept += FRuns[run].Count;
        }
        FRuns.resize(run);
        FTotal = kept;
        SeekTo(FTotal);
    }
    const std::vector<TRun>& Runs() const { return FRuns; }
    int64_t Total() const { return FTotal; }
    bool operator==(const TAnswerRuns& other) const { return FRuns == other.FRuns; }

private:
    std::vector<TRun> FRuns;
    int64_t FTotal = 0; // the answers in all runs
    size_t FRun = 0;
    int64_t FUsed = 0;
    int64_t FRead = 0;
};

} // namespace kelto
