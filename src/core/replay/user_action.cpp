#include "core/replay/user_action.h"

#include "core/board/board.h"
#include "core/devices/device_actions.h"
#include "core/devices/device_table.h"
#include "core/numbers/number_text.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>
#include <vector>

namespace kelto {

namespace {

std::vector<std::string> SplitColons(const std::string& text)
{
    std::vector<std::string> fields;
    std::stringstream stream(text);
    std::string field;
    while (std::getline(stream, field, ':'))
        fields.push_back(field);
    return fields;
}

struct TActionShape {
    std::string_view Name;
    TUserAction::TKind Kind;
    size_t Fields;
    int RequiredType; // -1: any part
    std::string_view Needs;
};

constexpr TActionShape kShapes[] = {
    {"click", TUserAction::TKind::Click, 2, -1, ""},
    {"press", TUserAction::TKind::Press, 2, otAnNiuSwitch, "a push button"},
    {"release", TUserAction::TKind::Release, 2, otAnNiuSwitch, "a push button"},
    {"keydown", TUserAction::TKind::KeyDown, 4, otKeypad, "the keypad"},
    {"keyup", TUserAction::TKind::KeyUp, 4, otKeypad, "the keypad"},
    {"slider", TUserAction::TKind::Slider, 3, otResistance, "the variable resistor"},
    {"delete", TUserAction::TKind::Delete, 2, -1, ""},
};

constexpr std::pair<std::string_view, TUserAction::TKind> kRunButtons[] = {
    {"run", TUserAction::TKind::Run},
    {"pause", TUserAction::TKind::Pause},
    {"continue", TUserAction::TKind::Continue},
    {"stop", TUserAction::TKind::Stop},
    {"step", TUserAction::TKind::Step},
};

constexpr std::pair<std::string_view, TUserAction::TKind> kScopeButtons[] = {
    {"run", TUserAction::TKind::ScopeRun},
    {"stop", TUserAction::TKind::ScopeStop},
    {"clear", TUserAction::TKind::ScopeClear},
};

constexpr std::pair<std::string_view, bool> kScopeWindows[] = {{"scope:", false}, {"scope1:", true}};

// scope:BUTTON for the oscilloscope window, scope1:BUTTON for the single-channel one.
std::optional<TUserAction> ParseScopeButton(const std::string& text)
{
    for (const auto& [prefix, singleChannel] : kScopeWindows)
        for (const auto& [button, kind] : kScopeButtons)
            if (text == std::string(prefix) + std::string(button)) {
                TUserAction action;
                action.Kind = kind;
                action.SingleChannel = singleChannel;
                return action;
            }
    return std::nullopt;
}

// The one placed part whose palette caption this is.
bool FindPartByCaption(const TSimuBoard& board, const std::string& caption, int32_t& index,
                       std::string& error)
{
    std::vector<int32_t> matches;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        if (PartCaption(*board.Part(i)) == caption)
            matches.push_back(i);
    if (matches.size() == 1) {
        index = matches[0];
        return true;
    }
    if (matches.empty()) {
        error = "no placed part is '" + caption + "'";
        return false;
    }
    error = "'" + caption + "' names " + std::to_string(matches.size()) + " placed parts (components";
    for (int32_t match : matches)
        error += " " + std::to_string(match);
    error += "); name one by its index";
    return false;
}

} // namespace

std::string_view PartCaption(const TSimuPart& part)
{
    const TPaletteItem* item = PaletteItemForPart(part.FOwnerType, part.FName);
    return item != nullptr ? item->Caption : std::string_view();
}

namespace {

// The action's name and field count: a run or oscilloscope button, or a part
// action whose fields are left in `fields`.
std::optional<TUserAction> ParseForm(const std::string& text, std::vector<std::string>& fields,
                                     const TActionShape*& shape, std::string& error)
{
    shape = nullptr;
    for (const auto& [name, kind] : kRunButtons)
        if (text == name) {
            TUserAction action;
            action.Kind = kind;
            return action;
        }
    if (const std::optional<TUserAction> action = ParseScopeButton(text))
        return action;
    fields = SplitColons(text);
    for (const TActionShape& candidate : kShapes)
        if (!fields.empty() && fields[0] == candidate.Name)
            shape = &candidate;
    if (shape == nullptr) {
        error = "unknown action '" + text + "'";
        return std::nullopt;
    }
    TUserAction action;
    action.Kind = shape->Kind;
    if (fields.size() != shape->Fields || fields[1].empty()) {
        error = "action '" + text + "' is malformed";
        return std::nullopt;
    }
    return action;
}

// A slider's position, a key's column and row.
bool ParseValues(const std::string& text, const std::vector<std::string>& fields, const TActionShape& shape,
                 TUserAction& action, std::string& error)
{
    if (shape.Kind == TUserAction::TKind::Slider &&
        (!ReadNumber(fields[2], action.Position) || !(action.Position >= 0.0 && action.Position <= 1.0))) {
        error = "action '" + text + "' wants a slider position from 0 to 1";
        return false;
    }
    if (shape.Fields == 4 && (!ReadNumber(fields[2], action.Column) || !ReadNumber(fields[3], action.Row) ||
                              action.Column < 0 || action.Column > 3 || action.Row < 0 || action.Row > 3)) {
        error = "action '" + text + "' wants a key column and row from 0 to 3";
        return false;
    }
    return true;
}

} // namespace

std::string ActionText(const TUserAction& action)
{
    for (const auto& [name, kind] : kRunButtons)
        if (kind == action.Kind)
            return std::string(name);
    for (const auto& [button, kind] : kScopeButtons)
        if (kind == action.Kind)
            return std::string(kScopeWindows[action.SingleChannel ? 1 : 0].first) + std::string(button);
    for (const TActionShape& shape : kShapes)
        if (shape.Kind == action.Kind) {
            std::string text = std::string(shape.Name) + ":" + std::to_string(action.Part);
            if (shape.Kind == TUserAction::TKind::Slider)
                text += ":" + ShortestText(action.Position);
            if (shape.Fields == 4)
                text += ":" + std::to_string(action.Column) + ":" + std::to_string(action.Row);
            return text;
        }
    return {};
}

std::optional<std::string> ActionFormProblem(const std::string& text)
{
    std::vector<std::string> fields;
    const TActionShape* shape = nullptr;
    std::string error;
    std::optional<TUserAction> action = ParseForm(text, fields, shape, error);
    if (action && shape != nullptr && !ParseValues(text, fields, *shape, *action, error))
        action.reset();
    return action ? std::nullopt : std::optional<std::string>(error);
}

std::optional<TUserAction> ParseUserAction(const std::string& text, const TSimuBoard& board,
                                           std::string& error)
{
    std::vector<std::string> fields;
    const TActionShape* shape = nullptr;
    std::optional<TUserAction> action = ParseForm(text, fields, shape, error);
    if (!action || shape == nullptr)
        return action;
    if (!ReadNumber(fields[1], action->Part) && !FindPartByCaption(board, fields[1], action->Part, error)) {
        error = "action '" + text + "': " + error;
        return std::nullopt;
    }
    const TSimuPart* part = board.Part(action->Part);
    if (part == nullptr) {
        error = "action '" + text + "' names no component";
        return std::nullopt;
    }
    if (shape->RequiredType >= 0 && part->FOwnerType != shape->RequiredType) {
        error = "action '" + text + "' needs " + std::string(shape->Needs);
        return std::nullopt;
    }
    if (!ParseValues(text, fields, *shape, *action, error))
        return std::nullopt;
    return action;
}

std::optional<std::vector<TTimedAction>> ParseSchedule(const std::vector<TRecordedAction>& scheduled,
                                                       const TSimuBoard& board, std::string& error)
{
    std::vector<TTimedAction> actions;
    for (const TRecordedAction& entry : scheduled) {
        const std::optional<TUserAction> action = ParseUserAction(entry.Action, board, error);
        if (!action)
            return std::nullopt;
        actions.push_back({entry.Tick, *action});
    }
    std::stable_sort(actions.begin(), actions.end(),
                     [](const TTimedAction& a, const TTimedAction& b) { return a.Tick < b.Tick; });
    std::vector<int64_t> deletedAt(static_cast<size_t>(board.PartCount()), -1);
    for (const TTimedAction& timed : actions) {
        if (timed.Action.Part < 0)
            continue;
        const int64_t deleted = deletedAt[static_cast<size_t>(timed.Action.Part)];
        if (deleted >= 0) {
            error = "an action at tick " + std::to_string(timed.Tick) + " names component " +
                    std::to_string(timed.Action.Part) + ", deleted at tick " + std::to_string(deleted);
            return std::nullopt;
        }
        if (timed.Action.Kind == TUserAction::TKind::Delete)
            deletedAt[static_cast<size_t>(timed.Action.Part)] = timed.Tick;
    }
    return actions;
}

TActionTargets::TActionTargets(const TSimuBoard& board)
{
    for (int32_t i = 0; i < board.PartCount(); ++i)
        FParts.push_back(board.Part(i));
}

int32_t TActionTargets::IndexOf(const TSimuPart& part) const
{
    const auto found = std::find(FParts.begin(), FParts.end(), &part);
    return found != FParts.end() ? static_cast<int32_t>(found - FParts.begin()) : -1;
}

void TActionTargets::Forget(int32_t part)
{
    if (part >= 0 && static_cast<size_t>(part) < FParts.size())
        FParts[static_cast<size_t>(part)] = nullptr;
}

void TActionTargets::Perform(const TUserAction& action, TSimuBoard& board)
{
    // A button that its state disables ignores the press, as in the window.
    switch (action.Kind) {
    case TUserAction::TKind::Run: board.ButtonRUNClick(); return;
    case TUserAction::TKind::Pause: board.ButtonPAUSEClick(); return;
    case TUserAction::TKind::Continue: board.ButtonCONTINUEClick(); return;
    case TUserAction::TKind::Stop: board.ButtonSTOPClick(); return;
    case TUserAction::TKind::Step: board.ButtonStepClick(); return;
    default: break;
    }
    TScopeRecorder& scope = action.SingleChannel ? board.AudioasRecorder() : board.OScopesRecorder();
    switch (action.Kind) {
    case TUserAction::TKind::ScopeRun: scope.ButtonRunClick(); return;
    case TUserAction::TKind::ScopeStop: scope.ButtonStopClick(); return;
    case TUserAction::TKind::ScopeClear: scope.ButtonClearClick(); return;
    default: break;
    }
    // The schedule was checked, so the part is still there.
    if (action.Part < 0 || static_cast<size_t>(action.Part) >= FParts.size())
        return;
    TSimuPart* part = FParts[static_cast<size_t>(action.Part)];
    if (part == nullptr)
        return;
    const TKeyCell key{action.Column, action.Row};
    switch (action.Kind) {
    // A click on the body: a toggle switch flips; a probe's window is the window's.
    case TUserAction::TKind::Click: ClickPart(*part); break;
    case TUserAction::TKind::Press: PressButton(static_cast<TSimuAnNiuSwitch&>(*part)); break;
    case TUserAction::TKind::Release: ReleaseButton(static_cast<TSimuAnNiuSwitch&>(*part)); break;
    case TUserAction::TKind::KeyDown: PressKey(static_cast<TSimuKeypad&>(*part), key); break;
    case TUserAction::TKind::KeyUp: ReleaseKey(static_cast<TSimuKeypad&>(*part), key); break;
    case TUserAction::TKind::Slider:
        SetSliderPosition(board.Canvas(), static_cast<TSimuResistance&>(*part), action.Position);
        break;
    case TUserAction::TKind::Delete:
        board.DeletePart(part);
        FParts[static_cast<size_t>(action.Part)] = nullptr;
        break;
    default: break;
    }
}

} // namespace kelto
