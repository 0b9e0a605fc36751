// The engine's calls as the page's JavaScript sees them (embind). Texts may
// be passed as strings or as Uint8Array bytes; results come back as strings.
#include "core/files/program_file.h"
#include "web/display_list_json.h"
#include "web/palette_json.h"
#include "web/program_json.h"
#include "web/web_board.h"
#include "web/web_task.h"

#include <emscripten/bind.h>

namespace {

std::string LineSpans(const std::string& utf8Line)
{
    return kelto::web::LineSpansJson(utf8Line);
}

std::string ReviewProgram(const std::string& utf8Text)
{
    return kelto::web::ProgramReviewJson(kelto::SplitProgramText(utf8Text));
}

// The oscilloscope windows' calls, each on the instrument numbered first
// (web_scope.h).
using kelto::web::TWebBoard;

int ScopeButtons(TWebBoard& board, int instrument)
{
    return board.Scope(instrument).Buttons();
}

void ScopeClick(TWebBoard& board, int instrument, int button)
{
    board.Scope(instrument).Click(button);
}

std::string ScopeDrawing(TWebBoard& board, int instrument, int width, int height, double now,
                         emscripten::val textWidth)
{
    return board.Scope(instrument).Drawing(width, height, now, std::move(textWidth));
}

std::string ScopePictureSvg(TWebBoard& board, int instrument, int width, int height,
                            emscripten::val textWidth)
{
    return board.Scope(instrument).PictureSvg(width, height, std::move(textWidth));
}

void ScopePanTo(TWebBoard& board, int instrument, double minimum)
{
    board.Scope(instrument).PanTo(minimum);
}

// As bytes: a string would lose the CSV's byte order mark on its way.
emscripten::val ScopeData(TWebBoard& board, int instrument, bool vcd, const std::string& sampleHeader,
                          const std::string& channelHeader)
{
    const std::string bytes = board.Scope(instrument).DataFile(vcd, sampleHeader, channelHeader);
    return emscripten::val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data())));
}

} // namespace

EMSCRIPTEN_BINDINGS(keltosimu)
{
    emscripten::function("lookJson", &kelto::web::LookJson);
    emscripten::function("paletteJson", &kelto::web::PaletteJson);
    emscripten::function("lineSpans", &LineSpans);
    emscripten::function("reviewProgram", &ReviewProgram);
    emscripten::class_<kelto::web::TWebTask>("Task")
        .constructor<std::string>()
        .function("error", &kelto::web::TWebTask::Error)
        .function("title", &kelto::web::TWebTask::Title)
        .function("view", &kelto::web::TWebTask::View)
        .function("check", &kelto::web::TWebTask::Check);
    emscripten::class_<TWebBoard>("Board")
        .constructor<>()
        .function("loadCircuit", &TWebBoard::LoadCircuit)
        .function("setProgramFile", &TWebBoard::SetProgramFile)
        .function("pressRun", &TWebBoard::PressRun)
        .function("runTicks", &TWebBoard::RunTicks)
        .function("stateJson", &TWebBoard::StateJson)
        .function("partCount", &TWebBoard::PartCount)
        .function("partDrawing", &TWebBoard::PartDrawing)
        .function("boardDrawing", &TWebBoard::BoardDrawing)
        .function("changedDrawing", &TWebBoard::ChangedDrawing)
        .function("circuitText", &TWebBoard::CircuitText)
        .function("pictureJson", &TWebBoard::PictureJson)
        .function("pictureSvg", &TWebBoard::PictureSvg)
        .function("setPage", &TWebBoard::SetPage)
        .function("setEditorText", &TWebBoard::SetEditorText)
        .function("editorText", &TWebBoard::EditorText)
        .function("clickRun", &TWebBoard::ClickRun)
        .function("clickPause", &TWebBoard::ClickPause)
        .function("clickContinue", &TWebBoard::ClickContinue)
        .function("clickStop", &TWebBoard::ClickStop)
        .function("clickStep", &TWebBoard::ClickStep)
        .function("runButtons", &TWebBoard::RunButtons)
        .function("runWatchJson", &TWebBoard::RunWatchJson)
        .function("fileNew", &TWebBoard::FileNew)
        .function("openCircuit", &TWebBoard::OpenCircuit)
        .function("saveCircuit", &TWebBoard::SaveCircuit)
        .function("saveCircuitAs", &TWebBoard::SaveCircuitAs)
        .function("openProgram", &TWebBoard::OpenProgram)
        .function("saveProgramAs", &TWebBoard::SaveProgramAs)
        .function("saveProgram", &TWebBoard::SaveProgram)
        .function("lessonTitles", &TWebBoard::LessonTitles)
        .function("openLesson", &TWebBoard::OpenLesson)
        .function("placeItem", &TWebBoard::PlaceItem)
        .function("setClientSize", &TWebBoard::SetClientSize)
        .function("zoomPercent", &TWebBoard::ZoomPercent)
        .function("viewPoint", &TWebBoard::ViewPoint)
        .function("zoomAround", &TWebBoard::ZoomAround)
        .function("mouseDown", &TWebBoard::MouseDown)
        .function("mouseMove", &TWebBoard::MouseMove)
        .function("mouseUp", &TWebBoard::MouseUp)
        .function("doubleClick", &TWebBoard::DoubleClick)
        .function("clickTimerTimer", &TWebBoard::ClickTimerTimer)
        .function("undo", &TWebBoard::Undo)
        .function("redo", &TWebBoard::Redo)
        .function("undoButtons", &TWebBoard::UndoButtons)
        .function("deleteKeyPressed", &TWebBoard::DeleteKeyPressed)
        .function("abandonWiring", &TWebBoard::AbandonWiring)
        .function("hintAt", &TWebBoard::HintAt)
        .function("overlayJson", &TWebBoard::OverlayJson)
        .function("wiringStart", &TWebBoard::WiringStart)
        .function("logVersion", &TWebBoard::LogVersion)
        .function("logText", &TWebBoard::LogText)
        .function("scopeButtons", &ScopeButtons)
        .function("scopeClick", &ScopeClick)
        .function("scopeDrawing", &ScopeDrawing)
        .function("scopePictureSvg", &ScopePictureSvg)
        .function("scopePanTo", &ScopePanTo)
        .function("scopeData", &ScopeData);
}
