// A private folder under the system's temporary folder for the files a
// grading writes, removed with everything in it when it goes.
#pragma once

#include <optional>
#include <string>

namespace kelto::grade {

class TScratchFolder {
public:
    // Nothing and the reason when no folder can be made.
    static std::optional<TScratchFolder> Make(std::string& error);
    TScratchFolder(TScratchFolder&& other) noexcept;
    TScratchFolder& operator=(TScratchFolder&&) = delete;
    ~TScratchFolder();

    const std::string& Path() const { return FPath; }

private:
    explicit TScratchFolder(std::string path) : FPath(std::move(path)) {}

    std::string FPath; // absolute; empty once moved from
};

} // namespace kelto::grade
