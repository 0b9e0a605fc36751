// Answers the main window's modal questions from a script, recording what was
// asked, so no real dialog blocks a test.
#pragma once

#include "gui/app/modal_dialogs.h"

#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

namespace kelto::gui::testing {

class TScriptedDialogs final : public IModalDialogs {
public:
    TSaveAnswer AskSaveChanges(QWidget*, const QString& text) override
    {
        Asked.push_back(QStringLiteral("prompt ") + text);
        return Take(SaveAnswers, TSaveAnswer::Cancel);
    }
    QString OpenDialog1(QWidget*, const QString& start) override
    {
        return File("open dps", start, OpenCircuits);
    }
    QString SaveDialog1(QWidget*, const QString& start) override
    {
        return File("save dps", start, SaveCircuits);
    }
    QString OpenDialog2(QWidget*, const QString& start) override
    {
        return File("open txt", start, OpenPrograms);
    }
    QString SaveDialog2(QWidget*, const QString& start) override
    {
        return File("save txt", start, SavePrograms);
    }
    QString OpenTaskDialog(QWidget*, const QString& start) override
    {
        return File("open task", start, OpenTasks);
    }
    QString OpenRecordingDialog(QWidget*, const QString& start) override
    {
        return File("open recording", start, OpenRecordings);
    }
    QString SaveRecordingDialog(QWidget*, const QString& start) override
    {
        return File("save recording", start, SaveRecordings);
    }
    // The oscilloscope windows' tests script their own export.
    TChosenFile SaveDataDialog(QWidget*, const QString&, std::span<const TFileType>) override
    {
        Asked.push_back(QStringLiteral("save data"));
        return {};
    }
    void ShowFileError(QWidget*, const QString& message) override { Asked.push_back("error " + message); }
    QString SavePictureDialog(QWidget*, const QString& start, look::TPictureChoice& choice) override
    {
        choice = Take(PictureChoices, look::TPictureChoice{});
        return File("save picture", start, SavePictures);
    }
    int ChooseLesson(QWidget*, const QStringList& titles) override
    {
        Asked.push_back(QStringLiteral("lessons ") + titles.join(QLatin1Char('|')));
        return Take(LessonChoices, -1);
    }
    TWireDialogAnswer ShowWireDialog(TLineStyle) override
    {
        Asked.push_back(QStringLiteral("wire dialog"));
        return Take(WireAnswers, TWireDialogAnswer{});
    }
    TModalResult ShowDeleteDialog(const QString& partCaption) override
    {
        Asked.push_back(QStringLiteral("delete dialog"));
        DeletedCaptions.push_back(partCaption);
        if (OnDeleteDialog)
            OnDeleteDialog();
        return Take(DeleteAnswers, TModalResult::mrCancel);
    }

    QStringList Asked;
    // The part each delete dialog named.
    QStringList DeletedCaptions;
    // The folder each file dialog opened in.
    QStringList StartFolders;
    std::deque<TSaveAnswer> SaveAnswers;
    std::deque<QString> OpenCircuits;
    std::deque<QString> SaveCircuits;
    std::deque<QString> OpenPrograms;
    std::deque<QString> SavePrograms;
    std::deque<QString> OpenTasks;
    std::deque<QString> OpenRecordings;
    std::deque<QString> SaveRecordings;
    std::deque<QString> SavePictures;
    std::deque<look::TPictureChoice> PictureChoices;
    std::deque<int> LessonChoices;
    std::deque<TWireDialogAnswer> WireAnswers;
    std::deque<TModalResult> DeleteAnswers;
    std::function<void()> OnDeleteDialog;

private:
    template <typename T> static T Take(std::deque<T>& queue, T otherwise)
    {
        if (queue.empty())
            return otherwise;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
    QString File(const char* what, const QString& start, std::deque<QString>& queue)
    {
        Asked.push_back(QLatin1String(what));
        StartFolders.push_back(start);
        return Take(queue, QString());
    }
};

} // namespace kelto::gui::testing
