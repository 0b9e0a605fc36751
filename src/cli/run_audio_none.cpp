#include "cli/run_audio.h"

namespace kelto::cli {

std::optional<std::string> AudioRefusal(double)
{
    return "--audio is not available: this keltosimu-run was built without the audio back ends";
}

TFileResult WriteRunAudio(const std::string&, const TSoundScript&, double, std::vector<std::string>&)
{
    return TFileResult::Failure("built without the audio back ends");
}

} // namespace kelto::cli
