#include "core/replay/input_watch.h"

#include "core/board/board.h"
#include "core/canvas/flow_chart.h"

#include <algorithm>
#include <unordered_set>

namespace kelto {

TInputWatch::TInputs TInputWatch::InputsOf(const TSimuPart& part)
{
    TInputs inputs;
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

void TInputWatch::Compare(int32_t index, const TInputs& was, const TInputs& now, std::vector<TUserAction>& actions)
{
    using TKind = TUserAction::TKind;
    auto add = [&](TKind kind) -> TUserAction& {
        actions.push_back({});
        actions.back().Kind = kind;
        actions.back().Part = index;
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
    Start(board, [&board](const TSimuPart& part) { return board.IndexOfPart(&part); });
}

void TInputWatch::Start(const TSimuBoard& board, const std::function<int32_t(const TSimuPart&)>& indexOf)
{
    FInputs.clear();
    for (int32_t i = 0; i < board.PartCount(); ++i) {
        const int32_t index = indexOf(*board.Part(i));
        if (index < 0)
            continue;
        if (static_cast<size_t>(index) >= FInputs.size())
            FInputs.resize(static_cast<size_t>(index) + 1);
        FInputs[static_cast<size_t>(index)] = InputsOf(*board.Part(i));
    }
}

std::vector<TUserAction> TInputWatch::DifferencesFrom(const TSimuBoard& from) const
{
    std::vector<TUserAction> actions;
    for (int32_t i = 0; i < from.PartCount() && static_cast<size_t>(i) < FInputs.size(); ++i)
        if (FInputs[static_cast<size_t>(i)].Part != nullptr &&
            FInputs[static_cast<size_t>(i)].Part->FOwnerType == from.Part(i)->FOwnerType)
            Compare(i, InputsOf(*from.Part(i)), FInputs[static_cast<size_t>(i)], actions);
    return actions;
}

int32_t TInputWatch::LiveParts() const
{
    return static_cast<int32_t>(
        std::count_if(FInputs.begin(), FInputs.end(), [](const TInputs& inputs) { return inputs.Part != nullptr; }));
}

bool TInputWatch::TakeChanges(const TSimuBoard& board, std::vector<TUserAction>& actions)
{
    if (board.PartCount() != LiveParts()) {
        std::unordered_set<const TSimuPart*> present;
        for (int32_t i = 0; i < board.PartCount(); ++i)
            present.insert(board.Part(i));
        for (size_t i = 0; i < FInputs.size(); ++i)
            if (FInputs[i].Part != nullptr && !present.contains(FInputs[i].Part)) {
                TUserAction deleted;
                deleted.Kind = TUserAction::TKind::Delete;
                deleted.Part = static_cast<int32_t>(i);
                actions.push_back(deleted);
                FInputs[i].Part = nullptr;
            }
        if (board.PartCount() != LiveParts())
            return false;
    }
    for (size_t i = 0; i < FInputs.size(); ++i) {
        if (FInputs[i].Part == nullptr)
            continue;
        const TInputs now = InputsOf(*FInputs[i].Part);
        Compare(static_cast<int32_t>(i), FInputs[i], now, actions);
        FInputs[i] = now;
    }
    return true;
}

} // namespace kelto
