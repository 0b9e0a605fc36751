// The window's dialogs and panes for the document, as the page has them:
// the editor's lines kept here (the page sends its text before a command and
// reads it back after), the lesson or file the page's chooser picked, and the
// prompts and error boxes passed on to the page's functions. Files live in
// the module's file system, in kFileFolder: the page puts opened files there
// and offers saved ones as downloads.
#pragma once

#include "core/board/document.h"
#include "web/page_calls.h"

#include <functional>

namespace kelto::web {

inline constexpr const char* kFileFolder = "/files";

class TWebDocumentHost final : public IDocumentHost {
public:
    // The page's askSaveChanges(text) answers "yes", "no" or "cancel"
    // (anything else cancels); chooseFileToSave("circuit" | "program") a file
    // name or nothing; showFileError(text) and captionChanged(caption) show
    // what they are given.
    // onCircuitReplaced: whatever refers to the old circuit's lists is void.
    TWebDocumentHost(const TPageCalls& page, std::function<void()> onCircuitReplaced)
        : FPage(page), FOnCircuitReplaced(std::move(onCircuitReplaced))
    {
    }
    void SetChosenLesson(std::optional<size_t> lesson) { FChosenLesson = lesson; }
    void SetChosenFile(std::optional<std::string> path) { FChosenFile = std::move(path); }

    TSaveAnswer AskSaveChanges(const std::string& text) override;
    std::optional<std::string> ChooseCircuitToOpen() override { return FChosenFile; }
    std::optional<std::string> ChooseCircuitToSave() override { return FileToSave("circuit"); }
    std::optional<std::string> ChooseProgramToOpen() override { return FChosenFile; }
    std::optional<std::string> ChooseProgramToSave() override { return FileToSave("program"); }
    std::optional<size_t> ChooseLesson(const std::vector<std::string>&) override { return FChosenLesson; }
    void ShowFileError(const std::string& message) override { FPage.Call("showFileError", message); }
    void CaptionChanged(const std::string& caption) override { FPage.Call("captionChanged", caption); }
    std::vector<std::string> EditorLines() override { return FEditorLines; }
    void SetEditorLines(const std::vector<std::string>& lines) override { FEditorLines = lines; }
    void CircuitReplaced() override { FOnCircuitReplaced(); }

private:
    std::optional<std::string> FileToSave(const char* kind) const;

    const TPageCalls& FPage;
    std::function<void()> FOnCircuitReplaced;
    std::optional<size_t> FChosenLesson;
    std::optional<std::string> FChosenFile;
    std::vector<std::string> FEditorLines;
};

} // namespace kelto::web
