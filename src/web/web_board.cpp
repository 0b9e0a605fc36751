#include "web/web_board.h"

#include "cli/component_state.h"
#include "cli/run_options.h"
#include "core/board/board_file.h"
#include "core/files/program_file.h"
#include "core/look/component_drawing.h"
#include "web/display_list_json.h"

namespace kelto::web {

TWebBoard::TWebBoard()
{
    FBoard.SetMotorSpeedFactor(cli::TRunOptions{}.SpeedFactor);
}

std::string TWebBoard::LoadCircuit(const std::string& dpsText)
{
    const TFileResult read = ReadCircuitDocument(FBoard, dpsText);
    if (!read.Ok)
        return read.Message;
    FTicks = 0;
    return {};
}

void TWebBoard::SetProgramFile(const std::string& bytes)
{
    FBoard.SetEditorLines(ProgramLinesAsGbk(SplitProgramText(DecodeProgramText(bytes))));
}

void TWebBoard::RunTicks(int count, double deltaTime)
{
    for (int i = 0; i < count; ++i) {
        ++FTicks;
        FBoard.RunTick(deltaTime, static_cast<double>(FTicks) * deltaTime);
    }
}

std::string TWebBoard::StateJson() const
{
    return cli::StateJson(FBoard, FTicks);
}

std::string TWebBoard::PartDrawing(int index) const
{
    look::TDisplayList list;
    if (const TSimuPart* part = FBoard.Part(index))
        look::DrawPart(list, *part);
    return DisplayListJson(list);
}

} // namespace kelto::web
