// The circuit document of the main window: its file name and caption, the
// snapshots that tell whether the circuit or the program changed, the
// save-changes prompts, New, Open, Save, Save As and closing, and loading and
// saving program texts.
#pragma once

#include "core/board/board.h"
#include "core/board/document_texts.h"
#include "core/files/file_result.h"
#include "core/files/lesson_list.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelto {

enum class TSaveAnswer : uint8_t { Yes, No, Cancel };

// The window's dialogs and panes, as the commands need them. Paths are in
// the file system's encoding; texts and lines are UTF-8.
class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    virtual TSaveAnswer AskSaveChanges(const std::string& text) = 0;
    // The file dialogs; none when the user cancels.
    virtual std::optional<std::string> ChooseCircuitToOpen() = 0;
    virtual std::optional<std::string> ChooseCircuitToSave() = 0;
    virtual std::optional<std::string> ChooseProgramToOpen() = 0;
    virtual std::optional<std::string> ChooseProgramToSave() = 0;
    // The lesson chooser, by title; none when the user cancels.
    virtual std::optional<size_t> ChooseLesson(const std::vector<std::string>& titles) = 0;
    virtual void ShowFileError(const std::string& message) = 0;
    virtual void CaptionChanged(const std::string& caption) = 0;
    virtual std::vector<std::string> EditorLines() = 0;
    virtual void SetEditorLines(const std::vector<std::string>& lines) = 0;
    // The circuit was cleared or replaced by a file's: whatever refers to
    // positions in its old lists (the undo history) is void.
    virtual void CircuitReplaced() {}
};

class TCircuitDocument {
public:
    TCircuitDocument(TSimuBoard& board, IDocumentHost& host);

    void SetDocumentFileName(const std::string& name);
    const std::string& FileName() const { return FFileName; }
    // Folders whose files (the lessons) open as untitled copies, so that
    // saving never writes over them.
    void SetExampleFolders(std::vector<std::string> folders) { FExampleFolders = std::move(folders); }
    bool IsExampleFile(const std::string& path) const;
    std::string Caption() const;
    bool Modified() const { return FModified; }
    // The program text file last loaded or saved; empty when the editor's
    // text came from no file.
    const std::string& ProgramFileName() const { return FProgramFileName; }

    bool IsCircuitModified() const;
    // The editor's text differs from the text last loaded or saved (or from
    // the empty editor New and Open leave).
    bool IsProgramModified();
    // Asked only while the circuit has components; No without asking when a
    // saved circuit did not change.
    TSaveAnswer AskSaveChanges();
    void ResetDocument();

    void ActionFileNewExecute();
    void ActionFileOpenExecute();
    // True when the circuit was written.
    bool ActionFileSaveExecute();
    void ActionFileSaveAsExecute();
    // True when the window may close; the document is then reset.
    bool FormCloseQuery();
    // Open's steps after its dialog: a .dps file that exists replaces the
    // circuit, and the program of the same name beside it fills the editor.
    // False when nothing was opened.
    bool OpenCircuitFile(const std::string& path);

    // The example chooser: the save questions, then the lessons of `folder`;
    // the chosen lesson opens as an untitled copy of its circuit and program.
    void ButtonExampleClick(const std::string& folder);

    // After the save questions, an untitled circuit and program titled
    // `title` that `load` puts on the board and gives the lines of, or says
    // why it cannot (shown as the file's error). False when the user
    // cancelled or nothing could be loaded.
    bool ReplaceWith(const std::string& title,
                     const std::function<std::optional<std::string>(std::vector<std::string>& lines)>& load);

    void ButtonOpenBasClick();
    // True when the program was written.
    bool ButtonSaveBasClick();
    // Ctrl+S in the editor: to the program's own file, else where the dialog
    // says. True when the program was written.
    bool SaveProgram();

private:
    enum class TSaveOutcome : uint8_t { Saved, NotSaved, Failed };

    // The prompts at the start of New, Open and closing, circuit first; false
    // abandons the command.
    bool QuerySaveChanges();
    bool QuerySaveCircuit();
    bool QuerySaveProgram();
    bool SaveProgramTo(const std::optional<std::string>& path);
    void SetDocumentName(const std::string& fileName, const std::string& copyTitle,
                         std::string_view copySuffix = kExampleCopySuffix);
    // A copy keeps no file name, so its save asks where to. False when the
    // file could not be read.
    bool LoadProgramFrom(const std::string& path, bool asCopy);
    bool OpenCircuit(const std::string& path, const std::string& copyTitle);
    void LoadPairedProgram(const std::string& circuitPath, bool asCopy);
    // The editor was emptied or filled from no file.
    void ForgetProgramFile();
    // Save: to the current file, or to one the dialog names.
    TSaveOutcome SaveDocument();
    TSaveOutcome SaveAs(const std::optional<std::string>& chosen);
    TSaveOutcome SaveTo(const std::string& path);
    void TakeSnapshot();
    void ShowFileError(const TFileResult& failure);

    TSimuBoard& FBoard;
    IDocumentHost& FHost;
    std::string FFileName;
    std::string FCopyTitle;
    std::string_view FCopySuffix;
    std::vector<std::string> FExampleFolders;
    bool FModified = false;
    std::string FSavedDocument;
    std::string FProgramFileName;
    std::vector<std::string> FSavedProgram;
};

// ".dps" in any letter case after the file name's last dot.
bool HasCircuitExtension(const std::string& path);
// `path` lies in `folder` or below it, symbolic links resolved.
bool IsInsideFolder(const std::string& path, const std::string& folder);

} // namespace kelto
