// The engine as the page drives it: one board, its circuit from .dps text,
// its program from a program file's bytes, ticks numbered and timed as the
// runner numbers and times them; and the window's buttons, document, log
// and canvas drawing for the page.
#pragma once

#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/board/document.h"
#include "core/board/pointer_hints.h"
#include "core/board/schematic_editor.h"
#include "core/canvas/view_transform.h"
#include "grade/self_check.h"
#include "web/canvas_changes.h"
#include "web/canvas_overlay_json.h"
#include "web/page_calls.h"
#include "web/web_document_host.h"
#include "web/web_edit_history.h"
#include "web/web_editor_host.h"
#include "web/web_scope.h"
#include "web/web_sound.h"

#include <cstdint>
#include <optional>
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
    // What changed since the last call: {"changes": [[x, y, w, h], ...],
    // "drawing": ...} with the drawing (as BoardDrawing) of only what may
    // reach into those areas; {"changes": []} when nothing did; or "changes":
    // null and the whole drawing, when anything may have or `whole`.
    std::string ChangedDrawing(int width, int height, bool whole);

    // The page's functions the dialogs and timers call (web_document_host.h,
    // web_editor_host.h).
    void SetPage(emscripten::val page) { FPage.SetPage(std::move(page)); }

    // The circuit as a .dps file holds it, for the page to keep between visits.
    std::string CircuitText() const { return WriteCircuitDocument(FBoard); }

    // 导出图片: the circuit as the picture files draw it, in colour or in the
    // print style, as display-list JSON (as BoardDrawing) or as an SVG file.
    std::string PictureJson(bool printStyle) const;
    std::string PictureSvg(bool printStyle) const;

    // The circuit and program as a self-check hands them in; nothing after
    // the page showed why the program cannot be saved. `unsavedProgram`
    // names a program that has no file yet.
    std::optional<grade::TWorkInProgress> Work(const std::string& unsavedProgram);

    // The window's buttons, with the editor's text as the window reads it.
    void SetEditorText(const std::string& utf8);
    std::string EditorText();
    void ClickRun();
    void ClickPause() { FBoard.ButtonPAUSEClick(); }
    void ClickContinue() { FBoard.ButtonCONTINUEClick(); }
    void ClickStop();
    void ClickStep();
    // Bits 0 to 4: Run, Pause, Continue, Stop and Step are enabled.
    int RunButtons() const;
    // The run line and the variables view (program_json.h).
    std::string RunWatchJson() const;

    // 新建, 打开, 保存 and 另存, and the program's own open and save: a file
    // to open is put into kFileFolder first, and what a save writes lands
    // there.
    void FileNew() { FDocument.ActionFileNewExecute(); }
    void OpenCircuit(const std::string& path);
    void SaveCircuit() { FDocument.ActionFileSaveExecute(); }
    void SaveCircuitAs() { FDocument.ActionFileSaveAsExecute(); }
    void OpenProgram(const std::string& path);
    void SaveProgramAs() { FDocument.ButtonSaveBasClick(); }
    // Ctrl+S in the editor: to the program's own file, else as SaveProgramAs.
    void SaveProgram() { FDocument.SaveProgram(); }

    // The bundled lessons' titles as a JSON array; opening one is the
    // window's example chooser answered with that lesson.
    std::string LessonTitles() const;
    void OpenLesson(int index);

    // A palette click: the placed (or already placed) part's index, -1 for
    // no item.
    int PlaceItem(int item);
    // The canvas's mouse, in canvas pixels, a dragging pointer kept inside
    // the client size; buttons 0 left, 1 right, 2
    // middle; shift as the canvas model counts modifier keys.
    void SetClientSize(int width, int height) { FEditor.Mouse().SetClientSize(width, height); }
    // The view's zoom: the pixels of the whole zoomed canvas map to canvas
    // units as "[x, y]" (the pixel's centre decides), for the mouse calls.
    int ZoomPercent() const { return FView.Percent(); }
    std::string ViewPoint(int x, int y) const;
    // steps zoom steps in (out when negative), or back to actual size for 0,
    // keeping the canvas point under view pixel (pivotX, pivotY) of a view
    // scrolled to (scrollX, scrollY): the scroll that does it as "[x, y]", or
    // "null" when the zoom stays.
    std::string ZoomAround(int steps, int pivotX, int pivotY, int scrollX, int scrollY);
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(bool leftHeld, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void DoubleClick(int button, int shift, int x, int y);
    void ClickTimerTimer() { FEditor.ClickTimerTimer(); }
    // 撤销 and 重做 of canvas edits; bit 0: something to undo, bit 1: to redo.
    void Undo() { FHistory.Undo(FBoard); }
    void Redo() { FHistory.Redo(FBoard); }
    int UndoButtons() const { return (FHistory.CanUndo() ? 1 : 0) | (FHistory.CanRedo() ? 2 : 0); }
    // The Delete and Escape keys on the canvas.
    void DeleteKeyPressed() { FEditor.DeleteKeyPressed(); }
    void AbandonWiring() { FEditor.AbandonWiring(); }
    // The selection marks and drag outlines (canvas_overlay_json.h).
    std::string OverlayJson() { return CanvasOverlayJson(FBoard.Canvas(), FEditor.Mouse()); }
    // What the pointer names there (a pin and its net's reading, a part).
    std::string HintAt(int x, int y) { return HintAtPoint(FBoard, x, y); }
    // Where the wire being drawn starts, "[x, y]", or "null" when no pin is
    // clicked yet.
    std::string WiringStart() const;

    // The oscilloscope windows, numbered as TInstrument (1 the eight-channel
    // one, 2 the single-channel one); any other number names the first.
    TWebScope& Scope(int instrument) { return FScopes[instrument == 2 ? 1 : 0]; }

    // The message log as the window shows it; the version changes with it.
    int LogVersion() const { return FLogVersion; }
    std::string LogText() const;

private:
    std::vector<std::string> EditorGbkLines();

    TSimuBoard FBoard;
    TCanvasChanges FCanvasChanges{FBoard.Canvas()};
    TPageCalls FPage;
    TWebSound FSound{FPage};
    TWebEditHistory FHistory;
    TWebDocumentHost FHost{FPage, [this] { FHistory.Clear(); }};
    TCircuitDocument FDocument{FBoard, FHost};
    TWebEditorHost FEditorHost{FPage};
    TSchematicEditor FEditor{FBoard, FEditorHost};
    TViewTransform FView;
    TWebScope FScopes[2]{{FBoard.OScopesRecorder(), kOScopesDataName},
                         {FBoard.AudioasRecorder(), kAudioasDataName}};
    int64_t FTicks = 0;
    std::vector<std::string> FLog;
    int FLogVersion = 0;
};

} // namespace kelto::web
