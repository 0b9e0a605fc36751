// The window's wording of a failed file read or write: Chinese, naming the
// file and giving the system's or the format's reason.
#pragma once

#include "core/files/file_result.h"

#include <string>

namespace kelto {

std::string FileErrorText(const TFileResult& failure);

// The system's reason for an errno value in Chinese; values without a
// translation keep the system's own words.
std::string SystemReasonText(int error);

} // namespace kelto
