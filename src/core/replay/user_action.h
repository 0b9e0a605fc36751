// A user's action between two ticks, in the words the runner's --at and a
// recording write it: a mouse action on a part, or a press of a run or
// oscilloscope button.
#pragma once

#include "core/replay/run_recording.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelto {

class TSimuBoard;
class TSimuPart;

struct TUserAction {
    enum class TKind {
        Click,
        Press,
        Release,
        KeyDown,
        KeyUp,
        Slider,
        Delete,
        Run,
        Pause,
        Continue,
        Stop,
        Step,
        ScopeRun,
        ScopeStop,
        ScopeClear
    };
    TKind Kind = TKind::Click;
    // The oscilloscope buttons: the single-channel window's rather than the eight-channel one's.
    bool SingleChannel = false;
    int32_t Part = -1; // the part's index in the loaded file
    int32_t Column = -1;
    int32_t Row = -1;
    double Position = 0.0;
};

// The caption of the palette item the part came from, as the runner's actions
// and state name it; empty for a part no item makes.
std::string_view PartCaption(const TSimuPart& part);

// Checks the action against the loaded board: the part must exist and be of
// the class the action needs. The run and oscilloscope buttons need no part.
std::optional<TUserAction> ParseUserAction(const std::string& text, const TSimuBoard& board,
                                           std::string& error);

// The action as ParseUserAction reads it, the part by its index.
std::string ActionText(const TUserAction& action);

// Whether the action is one the runner knows, with the right fields, before
// any circuit is loaded; the reason when it is not.
std::optional<std::string> ActionFormProblem(const std::string& text);

struct TTimedAction {
    int64_t Tick = 0;
    TUserAction Action;
};

// The actions in the order they happen. Actions name parts by their index in
// the loaded file, so a deletion renumbers nothing; an action on a part that
// an earlier one deleted is refused.
std::optional<std::vector<TTimedAction>> ParseSchedule(const std::vector<TRecordedAction>& scheduled,
                                                       const TSimuBoard& board, std::string& error);

// The loaded parts by file index; a deleted part's entry is emptied.
class TActionTargets {
public:
    explicit TActionTargets(const TSimuBoard& board);
    void Perform(const TUserAction& action, TSimuBoard& board);
    // The part's index as actions name it; -1 for a part not loaded with the file.
    int32_t IndexOf(const TSimuPart& part) const;
    // The part was deleted by someone else.
    void Forget(int32_t part);
    // By index; null for a deleted part.
    const std::vector<TSimuPart*>& Parts() const { return FParts; }

private:
    std::vector<TSimuPart*> FParts;
};

} // namespace kelto
