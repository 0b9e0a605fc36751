// The engine's calls as the page's JavaScript sees them (embind). Texts may
// be passed as strings or as Uint8Array bytes; results come back as strings.
#include "web/web_board.h"

#include <emscripten/bind.h>

EMSCRIPTEN_BINDINGS(keltosimu)
{
    using kelto::web::TWebBoard;
    emscripten::class_<TWebBoard>("Board")
        .constructor<>()
        .function("loadCircuit", &TWebBoard::LoadCircuit)
        .function("setProgramFile", &TWebBoard::SetProgramFile)
        .function("pressRun", &TWebBoard::PressRun)
        .function("runTicks", &TWebBoard::RunTicks)
        .function("stateJson", &TWebBoard::StateJson)
        .function("partCount", &TWebBoard::PartCount)
        .function("partDrawing", &TWebBoard::PartDrawing);
}
