// The example lessons of a folder: each circuit that has a program of the
// same name, titled by the program's first comment line.
#pragma once

#include <string>
#include <vector>

namespace kelto {

struct TLesson {
    std::string Title; // UTF-8
    std::string CircuitPath;
    std::string ProgramPath;
};

// Sorted by file name. A program that opens without a comment line (or
// cannot be read) gives the file name without extension as the title. An
// empty or missing folder has no lessons.
std::vector<TLesson> ListLessons(const std::string& folder);

} // namespace kelto
