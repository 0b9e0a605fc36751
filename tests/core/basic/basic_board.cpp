#include "basic_board.h"

namespace kelto::testing {

std::vector<std::string> NumberedProgram(const std::vector<std::string>& statements)
{
    std::vector<std::string> lines{"0 REM \"KELTOBASIC\""};
    for (size_t i = 0; i < statements.size(); ++i)
        lines.push_back(std::to_string(10 * (i + 1)) + " REM \"" + statements[i] + "\"");
    return lines;
}

TBasicBoard::TBasicBoard()
{
    Mcu = Board.PlaceItem(kMcuItem);
    Basic().SetSoundDevices({&Tone, &Wave, &ClockSpeaker, &LocalClock, &Random});
    Basic().SetLogListeners([this](std::string_view line) { Logged.push_back({Ticks, std::string(line)}); },
                            [this] { Logged.clear(); });
}

bool TBasicBoard::Run(const std::vector<std::string>& lines)
{
    Board.SetEditorLines(lines);
    Board.ButtonRUNClick();
    return Basic().FRunning;
}

void TBasicBoard::Tick(int64_t count)
{
    for (int64_t i = 0; i < count; ++i) {
        ++Ticks;
        Board.RunTick(0.001, static_cast<double>(Ticks) * 0.001);
    }
}

int64_t TBasicBoard::TickUntilIdle(int64_t limit)
{
    for (int64_t i = 0; i < limit; ++i) {
        Tick();
        if (!Basic().FRunning)
            return Ticks;
    }
    return -1;
}

std::vector<std::string> TBasicBoard::LogTexts() const
{
    std::vector<std::string> texts;
    for (const TLoggedLine& line : Logged)
        texts.push_back(line.Text);
    return texts;
}

} // namespace kelto::testing
