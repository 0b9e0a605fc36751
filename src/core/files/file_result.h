// The outcome of reading or writing a file: success, or a message fit to show.
#pragma once

#include <string>
#include <utility>

namespace kelto {

struct TFileResult {
    bool Ok = true;
    std::string Message;

    static TFileResult Success() { return {}; }
    static TFileResult Failure(std::string message) { return {false, std::move(message)}; }
};

} // namespace kelto
