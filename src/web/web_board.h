// The engine as the page drives it: one board, its circuit from .dps text,
// its program from a program file's bytes, ticks numbered and timed as the
// runner numbers and times them; and the window's buttons, document, log
// and canvas drawing for the page.
#pragma once

#include "core/board/board.h"
#include "core/board/document.h"
#include "web/web_document_host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelto::web {

// Where the lessons are bundled into the module's file system.
inline constexpr const char* kLessonFolder = "/examples";

class TWebBoard {
public:
    TWebBoard();

    // Empty when the circuit was read, and ticks count from 0 again;
    // otherwise why not, and the board keeps the circuit it had.
    std::string LoadCircuit(const std::string& dpsText);
    // The bytes of a program file (GBK, or UTF-8 from a teacher's editor).
    void SetProgramFile(const std::string& bytes);
    void PressRun() { FBoard.ButtonRUNClick(); }
    void RunTicks(int count, double deltaTime);

    // What keltosimu-run --state writes.
    std::string StateJson() const;
    int PartCount() const { return FBoard.PartCount(); }
    // The part's drawing in body coordinates as display-list JSON; an empty
    // list for an index that names no part.
    std::string PartDrawing(int index) const;
    // {"extent": [x, y, w, h], "list": [...]}: the whole canvas on white,
    // covering at least width x height from the origin.
    std::string BoardDrawing(int width, int height) const;

    // The window's buttons, with the editor's text as the window reads it.
    void SetPage(emscripten::val page) { FHost.SetPage(std::move(page)); }
    void SetEditorText(const std::string& utf8);
    std::string EditorText();
    void ClickRun();
    void ClickPause() { FBoard.ButtonPAUSEClick(); }
    void ClickContinue() { FBoard.ButtonCONTINUEClick(); }
    void ClickStop();
    void ClickStep();
    // Bits 0 to 4: Run, Pause, Continue, Stop and Step are enabled.
    int RunButtons() const;

    // The bundled lessons' titles as a JSON array; opening one is the
    // window's example chooser answered with that lesson.
    std::string LessonTitles() const;
    void OpenLesson(int index);

    // The message log as the window shows it; the version changes with it.
    int LogVersion() const { return FLogVersion; }
    std::string LogText() const;

private:
    std::vector<std::string> EditorGbkLines();

    TSimuBoard FBoard;
    TWebDocumentHost FHost;
    TCircuitDocument FDocument{FBoard, FHost};
    int64_t FTicks = 0;
    std::vector<std::string> FLog;
    int FLogVersion = 0;
};

} // namespace kelto::web
