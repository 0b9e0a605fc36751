// The document commands and the decisions behind their prompts.
#include "core/board/document.h"

#include "core/board/board_file.h"
#include "core/board/document_texts.h"
#include "core/board/file_error_text.h"
#include "core/files/program_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kelto {

namespace {

std::string FileNameWithoutFolder(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// X.txt for X.dps.
std::string PairedProgramPath(const std::string& circuitPath)
{
    return circuitPath.substr(0, circuitPath.size() - 4) + ".txt";
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error) && !error;
}

std::filesystem::path ResolvedPath(const std::string& path, std::error_code& error)
{
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    if (resolved.has_parent_path() && resolved.filename().empty())
        resolved = resolved.parent_path();
    return resolved;
}

} // namespace

bool IsInsideFolder(const std::string& path, const std::string& folder)
{
    if (path.empty() || folder.empty())
        return false;
    std::error_code error;
    const std::filesystem::path file = ResolvedPath(path, error);
    const std::filesystem::path root = error ? std::filesystem::path() : ResolvedPath(folder, error);
    if (error || root.empty())
        return false;
    return std::mismatch(root.begin(), root.end(), file.begin(), file.end()).first == root.end();
}

bool HasCircuitExtension(const std::string& path)
{
    const std::string name = FileNameWithoutFolder(path);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || name.size() - dot != 4)
        return false;
    static constexpr char kExtension[] = "dps";
    for (size_t i = 0; i < 3; ++i) {
        const char c = name[dot + 1 + i];
        if (c != kExtension[i] && c != kExtension[i] - 'a' + 'A')
            return false;
    }
    return true;
}

TCircuitDocument::TCircuitDocument(TSimuBoard& board, IDocumentHost& host) : FBoard(board), FHost(host)
{
}

void TCircuitDocument::SetDocumentFileName(const std::string& name)
{
    SetDocumentName(name, {});
}

void TCircuitDocument::SetDocumentName(const std::string& fileName, const std::string& copyTitle,
                                       std::string_view copySuffix)
{
    FFileName = fileName;
    FCopyTitle = copyTitle;
    FCopySuffix = copySuffix;
    FHost.CaptionChanged(Caption());
}

std::string TCircuitDocument::Caption() const
{
    std::string caption(kApplicationTitle);
    if (!FFileName.empty())
        caption += " - " + FileNameWithoutFolder(FFileName);
    else if (!FCopyTitle.empty())
        caption += " - " + FCopyTitle + std::string(FCopySuffix);
    return caption;
}

bool TCircuitDocument::IsExampleFile(const std::string& path) const
{
    return std::any_of(FExampleFolders.begin(), FExampleFolders.end(),
                       [&path](const std::string& folder) { return IsInsideFolder(path, folder); });
}

bool TCircuitDocument::IsCircuitModified() const
{
    return WriteCircuitDocument(FBoard) != FSavedDocument;
}

void TCircuitDocument::TakeSnapshot()
{
    FSavedDocument = WriteCircuitDocument(FBoard);
}

// A lesson's copy just opened has nothing worth keeping yet.
TSaveAnswer TCircuitDocument::AskSaveChanges()
{
    if (FFileName.empty() && !FCopyTitle.empty() && !FModified)
        return TSaveAnswer::No;
    if (FFileName.empty())
        return FHost.AskSaveChanges(std::string(kSavePromptUntitled));
    if (!FModified)
        return TSaveAnswer::No;
    return FHost.AskSaveChanges(std::string(kSavePromptNamedBefore) + FFileName +
                                std::string(kSavePromptNamedAfter));
}

bool TCircuitDocument::IsProgramModified()
{
    return FHost.EditorLines() != FSavedProgram;
}

void TCircuitDocument::ForgetProgramFile()
{
    FProgramFileName.clear();
    FSavedProgram = FHost.EditorLines();
}

void TCircuitDocument::ShowFileError(const TFileResult& failure)
{
    FHost.ShowFileError(FileErrorText(failure));
}

bool TCircuitDocument::QuerySaveChanges()
{
    return QuerySaveCircuit() && QuerySaveProgram();
}

// A save that failed with an error abandons the command, so the circuit the
// user wanted kept is not discarded; a cancelled save dialog carries on.
bool TCircuitDocument::QuerySaveCircuit()
{
    FModified = IsCircuitModified();
    if (FBoard.PartCount() == 0)
        return true;
    switch (AskSaveChanges()) {
    case TSaveAnswer::Yes: return SaveDocument() != TSaveOutcome::Failed;
    case TSaveAnswer::No: return true;
    case TSaveAnswer::Cancel: return false;
    }
    return false;
}

// Unlike the circuit's, a cancelled save dialog abandons the command too:
// the program has no other copy to fall back on.
bool TCircuitDocument::QuerySaveProgram()
{
    if (!IsProgramModified())
        return true;
    const std::string text =
        FProgramFileName.empty()
            ? std::string(kProgramPromptUntitled)
            : std::string(kProgramPromptNamedBefore) + FProgramFileName + std::string(kSavePromptNamedAfter);
    switch (FHost.AskSaveChanges(text)) {
    case TSaveAnswer::Yes: return SaveProgram();
    case TSaveAnswer::No: return true;
    case TSaveAnswer::Cancel: return false;
    }
    return false;
}

void TCircuitDocument::ResetDocument()
{
    FBoard.ClearCircuit();
    FHost.CircuitReplaced();
    SetDocumentFileName({});
    FModified = false;
    FHost.SetEditorLines({});
    ForgetProgramFile();
    FBoard.ClearLog();
    TakeSnapshot();
}

void TCircuitDocument::ActionFileNewExecute()
{
    if (QuerySaveChanges())
        ResetDocument();
}

void TCircuitDocument::ActionFileOpenExecute()
{
    if (!QuerySaveChanges())
        return;
    if (const std::optional<std::string> path = FHost.ChooseCircuitToOpen())
        OpenCircuitFile(*path);
}

bool TCircuitDocument::OpenCircuitFile(const std::string& path)
{
    return OpenCircuit(path, IsExampleFile(path) ? LessonTitle(PairedProgramPath(path)) : std::string());
}

// The reader replaces the circuit only when the whole file is good, so an
// unreadable file leaves circuit and document as they were. The prompts
// before have saved or given up the editor's text, which Open replaces.
bool TCircuitDocument::OpenCircuit(const std::string& path, const std::string& copyTitle)
{
    if (!HasCircuitExtension(path) || !FileExists(path))
        return false;
    if (const TFileResult loaded = LoadCircuitFile(FBoard, path); !loaded.Ok) {
        ShowFileError(loaded);
        return false;
    }
    FHost.CircuitReplaced();
    const bool asCopy = !copyTitle.empty();
    SetDocumentName(asCopy ? std::string() : path, copyTitle);
    FModified = false;
    FHost.SetEditorLines({});
    ForgetProgramFile();
    FBoard.ClearLog();
    TakeSnapshot();
    LoadPairedProgram(path, asCopy);
    return true;
}

bool TCircuitDocument::ReplaceWith(
    const std::string& title, const std::function<std::optional<std::string>(std::vector<std::string>& lines)>& load)
{
    if (!QuerySaveChanges())
        return false;
    ResetDocument();
    std::vector<std::string> lines;
    if (const std::optional<std::string> problem = load(lines)) {
        FHost.ShowFileError(*problem);
        ResetDocument();
        return false;
    }
    SetDocumentName({}, title, kRecordingCopySuffix);
    FHost.SetEditorLines(lines);
    TakeSnapshot();
    return true;
}

void TCircuitDocument::LoadPairedProgram(const std::string& circuitPath, bool asCopy)
{
    const std::string program = PairedProgramPath(circuitPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(program, error) || error)
        return;
    if (LoadProgramFrom(program, asCopy))
        FBoard.LogLine(std::string(kPairedProgram) + FileNameWithoutFolder(program));
}

bool TCircuitDocument::ActionFileSaveExecute()
{
    return SaveDocument() == TSaveOutcome::Saved;
}

TCircuitDocument::TSaveOutcome TCircuitDocument::SaveDocument()
{
    return SaveAs(FFileName.empty() ? FHost.ChooseCircuitToSave() : std::optional<std::string>(FFileName));
}

void TCircuitDocument::ActionFileSaveAsExecute()
{
    SaveAs(FHost.ChooseCircuitToSave());
}

TCircuitDocument::TSaveOutcome TCircuitDocument::SaveAs(const std::optional<std::string>& chosen)
{
    if (!chosen || !HasCircuitExtension(*chosen))
        return TSaveOutcome::NotSaved;
    return SaveTo(*chosen);
}

TCircuitDocument::TSaveOutcome TCircuitDocument::SaveTo(const std::string& path)
{
    if (const TFileResult saved = SaveCircuitFile(FBoard, path); !saved.Ok) {
        ShowFileError(saved);
        return TSaveOutcome::Failed;
    }
    FModified = false;
    SetDocumentFileName(path);
    TakeSnapshot();
    return TSaveOutcome::Saved;
}

bool TCircuitDocument::FormCloseQuery()
{
    if (!QuerySaveChanges())
        return false;
    ResetDocument();
    return true;
}

void TCircuitDocument::ButtonExampleClick(const std::string& folder)
{
    const std::vector<TLesson> lessons = ListLessons(folder);
    if (lessons.empty()) {
        FHost.ShowFileError(std::string(kNoLessonsBefore) + folder + std::string(kNoLessonsAfter));
        return;
    }
    if (!QuerySaveChanges())
        return;
    std::vector<std::string> titles;
    titles.reserve(lessons.size());
    for (const TLesson& lesson : lessons)
        titles.push_back(lesson.Title);
    const std::optional<size_t> chosen = FHost.ChooseLesson(titles);
    if (!chosen || *chosen >= lessons.size())
        return;
    OpenCircuit(lessons[*chosen].CircuitPath, lessons[*chosen].Title);
}

void TCircuitDocument::ButtonOpenBasClick()
{
    const std::optional<std::string> path = FHost.ChooseProgramToOpen();
    if (path && FileExists(*path))
        LoadProgramFrom(*path, IsExampleFile(*path));
}

// The editor keeps its text when the file cannot be read.
bool TCircuitDocument::LoadProgramFrom(const std::string& path, bool asCopy)
{
    std::vector<std::string> lines;
    if (const TFileResult loaded = LoadProgramFile(path, lines); !loaded.Ok) {
        ShowFileError(loaded);
        return false;
    }
    FHost.SetEditorLines(lines);
    FProgramFileName = asCopy ? std::string() : path;
    // The editor's own reading of the text, so an unchanged text compares equal.
    FSavedProgram = FHost.EditorLines();
    return true;
}

bool TCircuitDocument::ButtonSaveBasClick()
{
    return SaveProgramTo(FHost.ChooseProgramToSave());
}

bool TCircuitDocument::SaveProgram()
{
    return SaveProgramTo(FProgramFileName.empty() ? FHost.ChooseProgramToSave()
                                                  : std::optional<std::string>(FProgramFileName));
}

bool TCircuitDocument::SaveProgramTo(const std::optional<std::string>& path)
{
    if (!path)
        return false;
    std::vector<std::string> lines = FHost.EditorLines();
    if (const TFileResult saved = SaveProgramFile(*path, lines); !saved.Ok) {
        ShowFileError(saved);
        return false;
    }
    FProgramFileName = *path;
    FSavedProgram = std::move(lines);
    return true;
}

} // namespace kelto
