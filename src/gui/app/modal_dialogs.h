// Everything the main window shows modally, behind one interface so tests can
// answer without a dialog blocking them.
#pragma once

#include "core/board/document.h"
#include "core/board/schematic_editor.h"
#include "core/look/picture_format.h"
#include "gui/instruments/scope_dialogs.h"

#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace kelto::gui {

class TFormXian;
class TFormShanChu;

class IModalDialogs : public IScopeDialogs {
public:
    virtual TSaveAnswer AskSaveChanges(QWidget* parent, const QString& text) = 0;
    // The four file dialogs, opening in the folder `start`; an empty name
    // when the user cancels.
    virtual QString OpenDialog1(QWidget* parent, const QString& start) = 0;
    virtual QString SaveDialog1(QWidget* parent, const QString& start) = 0;
    virtual QString OpenDialog2(QWidget* parent, const QString& start) = 0;
    virtual QString SaveDialog2(QWidget* parent, const QString& start) = 0;
    // A teacher's task file.
    virtual QString OpenTaskDialog(QWidget* parent, const QString& start) = 0;
    // A run's recording.
    virtual QString OpenRecordingDialog(QWidget* parent, const QString& start) = 0;
    virtual QString SaveRecordingDialog(QWidget* parent, const QString& start) = 0;
    // The example chooser: the chosen row, or -1 when the user cancels.
    virtual int ChooseLesson(QWidget* parent, const QStringList& titles) = 0;
    virtual TWireDialogAnswer ShowWireDialog(TLineStyle current) = 0;
    // Naming the part by its caption.
    virtual TModalResult ShowDeleteDialog(const QString& partCaption) = 0;
};

// The real dialogs; the wire and delete dialogs are made once and reused.
class TQtModalDialogs final : public IModalDialogs {
public:
    TQtModalDialogs();
    ~TQtModalDialogs() override;

    TSaveAnswer AskSaveChanges(QWidget* parent, const QString& text) override;
    QString OpenDialog1(QWidget* parent, const QString& start) override;
    QString SaveDialog1(QWidget* parent, const QString& start) override;
    QString OpenDialog2(QWidget* parent, const QString& start) override;
    QString SaveDialog2(QWidget* parent, const QString& start) override;
    QString OpenTaskDialog(QWidget* parent, const QString& start) override;
    QString OpenRecordingDialog(QWidget* parent, const QString& start) override;
    QString SaveRecordingDialog(QWidget* parent, const QString& start) override;
    TChosenFile SaveDataDialog(QWidget* parent, const QString& start,
                               std::span<const TFileType> types) override;
    void ShowFileError(QWidget* parent, const QString& message) override;
    QString SavePictureDialog(QWidget* parent, const QString& start, look::TPictureChoice& choice) override;
    int ChooseLesson(QWidget* parent, const QStringList& titles) override;
    TWireDialogAnswer ShowWireDialog(TLineStyle current) override;
    TModalResult ShowDeleteDialog(const QString& partCaption) override;

private:
    std::unique_ptr<TFormXian> FFormXian;
    std::unique_ptr<TFormShanChu> FFormShanChu;
};

} // namespace kelto::gui
