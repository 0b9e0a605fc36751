// The outcome of reading or writing a file: success, or a message fit to show,
// with its parts kept apart so a front end can word it in its own language.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace kelto {

enum class TFileOperation : uint8_t { Unknown, Read, Write };

// What was wrong; Other means only Message says it.
enum class TFileProblem : uint8_t {
    Other,
    System,            // SystemError holds the errno
    TooLarge,          // Number: the limit in megabytes
    TooManyLines,      // Number: the limit
    MalformedXml,      // Number: the line
    NoElement,         // the file holds no XML element
    MissingList,       // Name: the list's tag
    WireWithoutPoints, // Number: the wire, counted from 1
    NotGbk,            // Number: the line; Character: the code point, 0 for text that is not UTF-8
};

struct TFileResult {
    bool Ok = true;
    // English, for the runner's stderr.
    std::string Message;
    TFileOperation Operation = TFileOperation::Unknown;
    std::string Path;
    TFileProblem Problem = TFileProblem::Other;
    int SystemError = 0;
    int64_t Number = 0;
    char32_t Character = 0;
    std::string Name;

    static TFileResult Success() { return {}; }
    static TFileResult Failure(std::string message)
    {
        TFileResult result;
        result.Ok = false;
        result.Message = std::move(message);
        return result;
    }
    static TFileResult Failure(TFileProblem problem, std::string message, int64_t number = 0)
    {
        TFileResult result = Failure(std::move(message));
        result.Problem = problem;
        result.Number = number;
        return result;
    }
    // The system's reason for errno `error`.
    static TFileResult SystemFailure(int error)
    {
        TFileResult result = Failure(TFileProblem::System, std::strerror(error));
        result.SystemError = error;
        return result;
    }

    // Names the file and what was being done to it; Message gets `prefix`
    // and the path in front.
    TFileResult& About(TFileOperation operation, const std::string& path, const char* prefix)
    {
        Operation = operation;
        Path = path;
        Message = prefix + (" " + path) + ": " + Message;
        return *this;
    }
};

} // namespace kelto
