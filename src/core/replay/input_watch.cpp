#include "core/replay/input_watch.h"

#include "core/board/board.h"
#include "core/canvas/flow_chart.h"

#include <algorithm>
#include <unordered_set>

namespace kelto {

namespace {

bool UserCanChange(TOwnerType type)
{
    return type == otAnNiuSwitch || type == otZhaDaoSwitch || type == otKeypad || type == otResistance;
}

} // namespace

TInputWatch::TInputs TInputWatch::InputsOf(int32_t index, const TSimuPart& part)
{
    TInputs inputs;
    inputs.Index = index;
    inputs.Part = &part;
    switch (part.FOwnerType) {
    case otAnNiuSwitch: {
        const auto& button = static_cast<const TSimuAnNiuSwitch&>(part);
        inputs.Held = button.FClosed != button.FNormallyClosed ? 1 : 0;
        break;
    }
    case otZhaDaoSwitch: inputs.Held = static_cast<const TSimuZhaDaoSwitch&>(part).FClosed; break;
    case otKeypad: inputs.Keys = static_cast<const TSimuKeypad&>(part).FKeys; break;
    case otResistance: {
        const auto& resistor = static_cast<const TSimuResistance&>(part);
        inputs.Wiper = resistor.FSlider != nullptr ? resistor.FSlider->SliderPosition() : 0.0;
        break;
    }
    default: break;
    }
    return inputs;
}

void TInputWatch::Compare(const TInputs& was, const TInputs& now, std::vector<TUserAction>& actions)
{
    using TKind = TUserAction::TKind;
    auto add = [&](TKind kind) -> TUserAction& {
        actions.push_back({});
        actions.back().Kind = kind;
        actions.back().Part = now.Index;
        return actions.back();
    };
    switch (now.Part->FOwnerType) {
    case otAnNiuSwitch:
        if (now.Held != was.Held)
            add(now.Held != 0 ? TKind::Press : TKind::Release);
        break;
    case otZhaDaoSwitch:
        if (now.Held != was.Held)
            add(TKind::Click);
        break;
    case otKeypad:
        // Column-major, as the keypad keeps them.
        for (size_t cell = 0; cell < now.Keys.size(); ++cell)
            if (now.Keys[cell] != was.Keys[cell]) {
                TUserAction& key = add(now.Keys[cell] != 0 ? TKind::KeyDown : TKind::KeyUp);
                key.Column = static_cast<int32_t>(cell / 4);
                key.Row = static_cast<int32_t>(cell % 4);
            }
        break;
    case otResistance:
        if (now.Wiper != was.Wiper)
            add(TKind::Slider).Position = now.Wiper;
        break;
    default: break;
    }
}

void TInputWatch::Start(const TSimuBoard& board)
{
    std::vector<TSimuPart*> parts;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        parts.push_back(board.Part(i));
    Start(parts);
}

void TInputWatch::Start(const std::vector<TSimuPart*>& parts)
{
    FParts.assign(parts.begin(), parts.end());
    FAlive = static_cast<int32_t>(std::count_if(parts.begin(), parts.end(), [](const TSimuPart* p) { return p; }));
    FInputs.clear();
    for (size_t i = 0; i < parts.size(); ++i)
        if (parts[i] != nullptr && UserCanChange(parts[i]->FOwnerType))
            FInputs.push_back(InputsOf(static_cast<int32_t>(i), *parts[i]));
}

std::vector<TUserAction> TInputWatch::DifferencesFrom(const TSimuBoard& from) const
{
    std::vector<TUserAction> actions;
    for (const TInputs& inputs : FInputs)
        if (const TSimuPart* loaded = from.Part(inputs.Index);
            loaded != nullptr && loaded->FOwnerType == inputs.Part->FOwnerType)
            Compare(InputsOf(inputs.Index, *loaded), inputs, actions);
    return actions;
}

void TInputWatch::FindDeleted(const TSimuBoard& board, std::vector<TUserAction>& actions)
{
    std::unordered_set<const TSimuPart*> present;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        present.insert(board.Part(i));
    for (size_t i = 0; i < FParts.size(); ++i)
        if (FParts[i] != nullptr && !present.contains(FParts[i])) {
            TUserAction deleted;
            deleted.Kind = TUserAction::TKind::Delete;
            deleted.Part = static_cast<int32_t>(i);
            actions.push_back(deleted);
            FParts[i] = nullptr;
            --FAlive;
        }
    std::erase_if(FInputs, [&present](const TInputs& inputs) { return !present.contains(inputs.Part); });
}

bool TInputWatch::TakeChanges(const TSimuBoard& board, std::vector<TUserAction>& actions)
{
    if (board.PartCount() != FAlive) {
        FindDeleted(board, actions);
        if (board.PartCount() != FAlive)
            return false;
    }
    for (TInputs& inputs : FInputs) {
        const TInputs now = InputsOf(inputs.Index, *inputs.Part);
        Compare(inputs, now, actions);
        inputs = now;
    }
    return true;
}

} // namespace kelto
