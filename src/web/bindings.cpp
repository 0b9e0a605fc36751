// The engine's calls as the page's JavaScript sees them (embind). Texts may
// be passed as strings or as Uint8Array bytes; results come back as strings.
#include "web/display_list_json.h"
#include "web/web_board.h"

#include <emscripten/bind.h>

EMSCRIPTEN_BINDINGS(keltosimu)
{
    using kelto::web::TWebBoard;
    emscripten::function("lookJson", &kelto::web::LookJson);
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
        .function("setPage", &TWebBoard::SetPage)
        .function("setEditorText", &TWebBoard::SetEditorText)
        .function("editorText", &TWebBoard::EditorText)
        .function("clickRun", &TWebBoard::ClickRun)
        .function("clickPause", &TWebBoard::ClickPause)
        .function("clickContinue", &TWebBoard::ClickContinue)
        .function("clickStop", &TWebBoard::ClickStop)
        .function("clickStep", &TWebBoard::ClickStep)
        .function("runButtons", &TWebBoard::RunButtons)
        .function("lessonTitles", &TWebBoard::LessonTitles)
        .function("openLesson", &TWebBoard::OpenLesson)
        .function("logVersion", &TWebBoard::LogVersion)
        .function("logText", &TWebBoard::LogText);
}
