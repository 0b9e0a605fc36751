// The grader's messages about submissions it refuses or could not finish, in
// one place so they can be translated together.
#pragma once

#include <cstdint>
#include <string>

namespace kelto::grade {

inline const std::string kMemoryExceeded = "内存超限";

inline std::string LinkLeavesFolderMessage(const std::string& name)
{
    return name + " leads outside the submission folder (a symbolic link); it was not opened";
}

inline std::string NotRegularFileMessage(const std::string& name)
{
    return name + " is not a regular file";
}

inline std::string GraderFailedMessage(const std::string& reason)
{
    return "the grader could not finish this submission: " + reason;
}

inline std::string StateTooLargeMessage(uintmax_t limit)
{
    return "the run's state is larger than " + std::to_string(limit / (1024 * 1024)) + " MiB";
}

} // namespace kelto::grade
