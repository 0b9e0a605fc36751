// Command-line options of keltosimu-grade.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelto::grade {

// A sanitizer reserves far more address space than the run uses, so a sanitized
// build caps nothing unless asked.
#if defined(__SANITIZE_ADDRESS__)
constexpr uint64_t kDefaultMemoryBytes = 0;
#else
constexpr uint64_t kDefaultMemoryBytes = uint64_t(1) << 30;
#endif

struct TGradeOptions {
    bool Help = false;
    bool Version = false;
    bool Student = false; // show one folder's checks as its student sees them
    std::string TaskPath;
    std::vector<std::string> Submissions;
    int64_t Jobs = 0;           // 0: one per processor core
    double TimeoutSeconds = 60; // per submission
    int64_t Shard = 1;          // this machine grades shard Shard of ShardCount,
    int64_t ShardCount = 1;     // counted from 1
    std::optional<std::string> ReportPath;
    std::optional<std::string> CsvPath;
    std::optional<std::string> GradebookPath;
    uint64_t MemoryBytes = kDefaultMemoryBytes; // each run's cap; 0: none
    std::optional<std::string> RunnerPath;      // else $KELTOSIMU_RUN, else beside the grader
};

std::optional<TGradeOptions> ParseGradeOptions(const std::vector<std::string>& args, std::string& error);
std::string GradeUsage();
std::string GradeHelp();

// The submissions one shard grades: in byte order of their names, so every
// machine of a batch splits the same list the same way, every N-th from the K-th.
std::vector<std::string> ShardSubmissions(std::vector<std::string> submissions, int64_t shard, int64_t count);

} // namespace kelto::grade
