// The state JSON of a board: every part with its pins and its own fields,
// and the oscilloscopes' recordings.
#pragma once

#include "cli/json_writer.h"

namespace kelto {
class TSimuBoard;
class TSimuPart;
} // namespace kelto

namespace kelto::cli {

void WriteComponents(TJsonWriter& json, const TSimuBoard& board);
// The class's own fields under their names without the F.
void WritePartFields(TJsonWriter& json, const TSimuPart& part);
// "scopes": each oscilloscope window's switch, axis window and samples, one
// array per channel with null for a null point.
void WriteScopes(TJsonWriter& json, const TSimuBoard& board);
// What --state writes after `ticks` ticks: the interpreter's log, line and
// variables, the components and the scopes.
std::string StateJson(const TSimuBoard& board, int64_t ticks);

} // namespace kelto::cli
