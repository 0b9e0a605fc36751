// Picks one component's JSON object out of the runner's state output.
#pragma once

#include <string>

namespace kelto::testing {

// The text of component `index` up to the next component (or the end).
inline std::string ComponentJson(const std::string& state, int index)
{
    const std::string start = "{\"index\":" + std::to_string(index) + ",";
    const size_t begin = state.find(start);
    if (begin == std::string::npos)
        return {};
    const size_t end = state.find("{\"index\":" + std::to_string(index + 1) + ",", begin);
    return state.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

} // namespace kelto::testing
