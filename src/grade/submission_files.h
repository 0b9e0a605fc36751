// Which circuit and program a submission folder holds.
#pragma once

#include <optional>
#include <string>

namespace kelto::grade {

// Runs start in the folder, so the runner's messages name the files briefly.
struct TSubmissionFiles {
    std::string Folder;                 // absolute
    std::string Circuit;                // "./name.dps"
    std::optional<std::string> Program; // "./name.txt", when there is one
};

// Nothing, and why, when the folder cannot be graded: no folder, no circuit,
// two circuits or two programs, a circuit or program that is not a regular file
// or leads outside the folder. Hidden files are not looked at.
std::optional<TSubmissionFiles> FindSubmissionFiles(const std::string& folder, std::string& error);

} // namespace kelto::grade
