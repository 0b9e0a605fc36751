#include "core/replay/input_watch.h"

#include "core/board/board.h"
#include "core/canvas/flow_chart.h"
#include "core/numbers/number_text.h"

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

void TInputWatch::Compare(int32_t index, const TInputs& was, const TInputs& now, std::vector<std::string>& actions)
{
    const std::string part = std::to_string(index);
    switch (now.Part->FOwnerType) {
    case otAnNiuSwitch:
        if (now.Held != was.Held)
            actions.push_back((now.Held != 0 ? "press:" : "release:") + part);
        break;
    case otZhaDaoSwitch:
        if (now.Held != was.Held)
            actions.push_back("click:" + part);
        break;
    case otKeypad:
        // Column-major, as the keypad keeps them.
        for (size_t cell = 0; cell < now.Keys.size(); ++cell)
            if (now.Keys[cell] != was.Keys[cell])
                actions.push_back((now.Keys[cell] != 0 ? "keydown:" : "keyup:") + part + ":" +
                                  std::to_string(cell / 4) + ":" + std::to_string(cell % 4));
        break;
    case otResistance:
        if (now.Wiper != was.Wiper)
            actions.push_back("slider:" + part + ":" + ShortestText(now.Wiper));
        break;
    default: break;
    }
}

void TInputWatch::Start(const TSimuBoard& board)
{
    FInputs.clear();
    for (int32_t i = 0; i < board.PartCount(); ++i)
        FInputs.push_back(InputsOf(*board.Part(i)));
}

std::vector<std::string> TInputWatch::DifferencesFrom(const TSimuBoard& from) const
{
    std::vector<std::string> actions;
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

bool TInputWatch::TakeChanges(const TSimuBoard& board, std::vector<std::string>& actions)
{
    if (board.PartCount() != LiveParts()) {
        std::unordered_set<const TSimuPart*> present;
        for (int32_t i = 0; i < board.PartCount(); ++i)
            present.insert(board.Part(i));
        for (size_t i = 0; i < FInputs.size(); ++i)
            if (FInputs[i].Part != nullptr && !present.contains(FInputs[i].Part)) {
                actions.push_back("delete:" + std::to_string(i));
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
