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

// Sorted by file name, titled as below. An empty or missing folder has no
// lessons.
std::vector<TLesson> ListLessons(const std::string& folder);
// The program's first comment line; a program that opens without one (or
// cannot be read) gives its file name without extension.
std::string LessonTitle(const std::string& programPath);

} // namespace kelto
