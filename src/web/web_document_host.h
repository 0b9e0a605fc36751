// The window's dialogs and panes for the document, as the page has them:
// the editor's lines kept here (the page sends its text before a command and
// reads it back after), the lesson the page's chooser picked, and the
// prompts and error boxes passed on to the page's functions.
#pragma once

#include "core/board/document.h"
#include "web/page_calls.h"

namespace kelto::web {

class TWebDocumentHost final : public IDocumentHost {
public:
    // The page's askSaveChanges(text) answers "yes", "no" or "cancel"
    // (anything else cancels); showFileError(text) and captionChanged(caption)
    // show what they are given.
    explicit TWebDocumentHost(const TPageCalls& page) : FPage(page) {}
    void SetChosenLesson(std::optional<size_t> lesson) { FChosenLesson = lesson; }

    TSaveAnswer AskSaveChanges(const std::string& text) override;
    std::optional<std::string> ChooseCircuitToOpen() override { return std::nullopt; }
    std::optional<std::string> ChooseCircuitToSave() override { return std::nullopt; }
    std::optional<std::string> ChooseProgramToOpen() override { return std::nullopt; }
    std::optional<std::string> ChooseProgramToSave() override { return std::nullopt; }
    std::optional<size_t> ChooseLesson(const std::vector<std::string>&) override { return FChosenLesson; }
    void ShowFileError(const std::string& message) override { FPage.Call("showFileError", message); }
    void CaptionChanged(const std::string& caption) override { FPage.Call("captionChanged", caption); }
    std::vector<std::string> EditorLines() override { return FEditorLines; }
    void SetEditorLines(const std::vector<std::string>& lines) override { FEditorLines = lines; }

private:
    const TPageCalls& FPage;
    std::optional<size_t> FChosenLesson;
    std::vector<std::string> FEditorLines;
};

} // namespace kelto::web
