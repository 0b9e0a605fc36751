#include "web/web_board.h"

#include "cli/component_state.h"
#include "cli/json_writer.h"
#include "cli/run_options.h"
#include "core/board/board_file.h"
#include "core/board/run_press.h"
#include "core/files/lesson_list.h"
#include "core/files/program_file.h"
#include "core/look/board_drawing.h"
#include "core/look/component_drawing.h"
#include "core/look/svg_writer.h"
#include "grade/board_work.h"
#include "web/display_list_json.h"
#include "web/program_json.h"

#include <algorithm>
#include <filesystem>

namespace kelto::web {

TWebBoard::TWebBoard()
{
    std::error_code ignored;
    std::filesystem::create_directories(kFileFolder, ignored);
    FBoard.SetMotorSpeedFactor(cli::TRunOptions{}.SpeedFactor);
    FBoard.SetSoundDevices(FSound.Devices());
    FDocument.SetExampleFolders({kLessonFolder});
    FEditor.SetEditListener([this](TCanvasEdit edit) { FHistory.Push(std::move(edit)); });
    FBoard.SetLogListeners(
        [this](std::string_view line) {
            // The window keeps the newest lines, as many as the interpreter does.
            if (FLog.size() >= 2 * kKeptLogLines)
                FLog.erase(FLog.begin(), FLog.begin() + kKeptLogLines);
            FLog.emplace_back(line);
            ++FLogVersion;
        },
        [this] {
            FLog.clear();
            ++FLogVersion;
        });
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
        FSound.AdvanceTime(deltaTime);
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

namespace {

// The whole canvas: the circuit from the origin, covering at least width x height.
look::TBox CanvasExtent(const TSimuBoard& board, int width, int height)
{
    const look::TBox extent = look::BoardExtent(board, 0);
    return {0, 0, std::max(width, extent.X + extent.W), std::max(height, extent.Y + extent.H)};
}

} // namespace

std::string TWebBoard::BoardDrawing(int width, int height) const
{
    const look::TBox extent = CanvasExtent(FBoard, width, height);
    look::TDisplayList list;
    look::DrawBoard(list, FBoard, extent);
    return DrawingJson(list, extent);
}

std::string TWebBoard::ChangedDrawing(int width, int height, bool whole)
{
    std::vector<look::TBox> areas;
    if (!FCanvasChanges.Take(areas) || whole)
        return "{\"changes\":null,\"drawing\":" + BoardDrawing(width, height) + "}";
    if (areas.empty())
        return "{\"changes\":[]}";
    std::string changes = "[";
    for (const look::TBox& a : areas)
        changes += (changes.size() > 1 ? ",[" : "[") + std::to_string(a.X) + "," + std::to_string(a.Y) + "," +
                   std::to_string(a.W) + "," + std::to_string(a.H) + "]";
    changes += "]";
    const look::TBox extent = CanvasExtent(FBoard, width, height);
    look::TDisplayList list;
    look::DrawBoardIn(list, FBoard, extent, areas);
    return "{\"changes\":" + changes + ",\"drawing\":" + DrawingJson(list, extent) + "}";
}

std::string TWebBoard::PictureJson(bool printStyle) const
{
    const look::TBoardPicture picture = look::BoardPicture(FBoard, printStyle);
    return DrawingJson(picture.List, picture.Extent);
}

std::string TWebBoard::PictureSvg(bool printStyle) const
{
    const look::TBoardPicture picture = look::BoardPicture(FBoard, printStyle);
    return look::SvgDocument(picture.List, picture.Extent);
}

void TWebBoard::SetEditorText(const std::string& utf8)
{
    FHost.SetEditorLines(SplitProgramText(utf8));
}

std::string TWebBoard::EditorText()
{
    std::string text;
    for (const std::string& line : FHost.EditorLines())
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

std::optional<grade::TWorkInProgress> TWebBoard::Work(const std::string& unsavedProgram)
{
    const std::string& name = FDocument.ProgramFileName();
    std::string error;
    std::optional<grade::TWorkInProgress> work =
        grade::BoardWork(FBoard, FHost.EditorLines(), name.empty() ? unsavedProgram : name, error);
    if (!work)
        FHost.ShowFileError(error);
    return work;
}

std::vector<std::string> TWebBoard::EditorGbkLines()
{
    return ProgramLinesAsGbk(FHost.EditorLines());
}

void TWebBoard::ClickRun()
{
    kelto::PressRun(FBoard, EditorGbkLines());
}

void TWebBoard::ClickStop()
{
    PressStop(FBoard);
}

void TWebBoard::ClickStep()
{
    PressStep(FBoard, EditorGbkLines());
}

int TWebBoard::RunButtons() const
{
    const TRunButtons buttons = FBoard.Basic().RunButtons();
    return (buttons.Run ? 1 : 0) | (buttons.Pause ? 2 : 0) | (buttons.Continue ? 4 : 0) |
           (buttons.Stop ? 8 : 0) | (buttons.Step ? 16 : 0);
}

std::string TWebBoard::RunWatchJson() const
{
    return web::RunWatchJson(FBoard.Basic());
}

std::string TWebBoard::LessonTitles() const
{
    cli::TJsonWriter json;
    json.BeginArray();
    for (const TLesson& lesson : ListLessons(kLessonFolder))
        json.String(lesson.Title);
    json.EndArray();
    return json.Text();
}

void TWebBoard::OpenLesson(int index)
{
    FHost.SetChosenLesson(index >= 0 ? std::optional<size_t>(static_cast<size_t>(index)) : std::nullopt);
    FDocument.ButtonExampleClick(kLessonFolder);
    FHost.SetChosenLesson(std::nullopt);
}

int TWebBoard::PlaceItem(int item)
{
    const TSimuPart* part = FEditor.PlaceItem(item);
    return part != nullptr ? FBoard.IndexOfPart(part) : -1;
}

void TWebBoard::MouseDown(int button, int shift, int x, int y)
{
    FEditor.Mouse().MouseDown(static_cast<TMouseButton>(button), static_cast<TShiftState>(shift), x, y);
}

void TWebBoard::MouseMove(bool leftHeld, int x, int y)
{
    FEditor.Mouse().MouseMove(leftHeld, x, y);
}

void TWebBoard::MouseUp(int button, int shift, int x, int y)
{
    FEditor.Mouse().MouseUp(static_cast<TMouseButton>(button), static_cast<TShiftState>(shift), x, y);
}

void TWebBoard::DoubleClick(int button, int shift, int x, int y)
{
    FEditor.Mouse().DoubleClick(static_cast<TMouseButton>(button), static_cast<TShiftState>(shift), x, y);
}

std::string TWebBoard::ViewPoint(int x, int y) const
{
    const TPoint unit = FView.ToCanvas({x, y});
    return "[" + std::to_string(unit.X) + "," + std::to_string(unit.Y) + "]";
}

std::string TWebBoard::ZoomAround(int steps, int pivotX, int pivotY, int scrollX, int scrollY)
{
    const int32_t percent = steps == 0 ? kActualSize : ZoomStep(FView.Percent(), steps);
    TViewTransform scrolled = FView;
    scrolled.ScrollTo({scrollX, scrollY});
    if (!scrolled.ZoomAround(percent, {pivotX, pivotY}))
        return "null";
    // The page scrolls the whole zoomed canvas itself: this view stays at 0.
    FView.ZoomAround(percent, {});
    FEditor.Mouse().SetDragThreshold(FView.UnitsNear(TCanvasMouse::kDragThreshold));
    return "[" + std::to_string(scrolled.Offset().X) + "," + std::to_string(scrolled.Offset().Y) + "]";
}

std::string TWebBoard::WiringStart() const
{
    const TdxFcObject* pin = FEditor.FirstPinClicked();
    if (pin == nullptr)
        return "null";
    const TRect r = pin->Bounds();
    return "[" + std::to_string((r.Left + r.Right) / 2) + "," + std::to_string((r.Top + r.Bottom) / 2) + "]";
}

void TWebBoard::OpenCircuit(const std::string& path)
{
    FHost.SetChosenFile(path);
    FDocument.ActionFileOpenExecute();
    FHost.SetChosenFile(std::nullopt);
}

void TWebBoard::OpenProgram(const std::string& path)
{
    FHost.SetChosenFile(path);
    FDocument.ButtonOpenBasClick();
    FHost.SetChosenFile(std::nullopt);
}

std::string TWebBoard::LogText() const
{
    std::string text;
    for (const std::string& line : FLog)
        text += line + "\n";
    return text;
}

} // namespace kelto::web
