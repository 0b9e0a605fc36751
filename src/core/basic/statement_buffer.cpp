#include "core/basic/statement_buffer.h"

#include <algorithm>

namespace kelto {

void TStatementBuffer::Load(std::string_view text)
{
    const size_t end = std::min(text.find('\0'), static_cast<size_t>(kCapacity));
    const std::string_view kept = text.substr(0, end);
    FText.fill('\0');
    std::copy(kept.begin(), kept.end(), FText.begin());
    FLength = static_cast<int32_t>(kept.size());
}

void TStatementBuffer::Terminate(int32_t position)
{
    if (position >= 0 && position < FLength)
        FText[static_cast<size_t>(position)] = '\0';
}

int32_t TStatementBuffer::Find(std::string_view needle, int32_t from) const
{
    if (needle.empty() || from < 0 || from >= FLength)
        return -1;
    const std::string_view rest = Text().substr(static_cast<size_t>(from));
    const std::string_view searched = rest.substr(0, rest.find('\0'));
    const size_t found = searched.find(needle);
    return found == std::string_view::npos ? -1 : from + static_cast<int32_t>(found);
}

} // namespace kelto
