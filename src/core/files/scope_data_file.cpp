#include "core/files/scope_data_file.h"

#include "core/files/atomic_file.h"

namespace kelto {

TFileResult SaveScopeData(const std::string& path, TScopeDataFormat chosen, const TScopeTrace& trace,
                          std::span<const std::string> csvHeaders)
{
    const std::string text = ScopeDataFormatOf(path, chosen) == TScopeDataFormat::Vcd
                                 ? ScopeVcd({&trace, 1}, kWindowSecondsPerSample)
                                 : ScopeCsv(trace.Samples, csvHeaders);
    TFileResult result = WriteFileAtomically(path, text);
    if (!result.Ok)
        result.About(TFileOperation::Write, path, "Cannot write");
    return result;
}

} // namespace kelto
