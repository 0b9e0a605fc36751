// The main window's undo history of canvas edits, its two buttons and its
// keyboard shortcuts.
#include "gui/app/form_kelto_simu.h"

#include "gui/app/canvas_edit_command.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace kelto::gui {

namespace {

struct TButtonShortcut {
    QKeyCombination Keys;
    QPushButton* TFormKeltoSimu::*Button;
};

const std::array<TButtonShortcut, 4> kButtonShortcuts{{
    {Qt::CTRL | Qt::Key_N, &TFormKeltoSimu::ButtonNew},
    {Qt::CTRL | Qt::Key_O, &TFormKeltoSimu::ButtonOpen},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_S, &TFormKeltoSimu::ButtonSaveAs},
    {QKeyCombination(Qt::Key_F5), &TFormKeltoSimu::ButtonRUN},
}};

} // namespace

// A shortcut clicks its button, so a disabled button ignores it too. The
// program editor keeps Ctrl+Z and Ctrl+Y for its text while it has the
// focus, and Ctrl+S there saves what is being typed: the program.
void TFormKeltoSimu::BuildShortcuts()
{
    for (const TButtonShortcut& shortcut : kButtonShortcuts) {
        QPushButton* button = this->*shortcut.Button;
        connect(new QShortcut(QKeySequence(shortcut.Keys), this), &QShortcut::activated, button,
                &QPushButton::click);
    }
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this, [this] {
        if (MemoEditor->hasFocus())
            FDocument.SaveProgram();
        else
            ButtonSave->click();
    });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this), &QShortcut::activated, this,
            [this] { UndoRedo(true); });
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z})
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this,
                [this] { UndoRedo(false); });
    FEditor.SetEditListener([this](TCanvasEdit edit) { CanvasEdited(std::move(edit)); });
    connect(ButtonUndo, &QPushButton::clicked, this, [this] { UndoRedo(true); });
    connect(ButtonRedo, &QPushButton::clicked, this, [this] { UndoRedo(false); });
    connect(&FEditHistory, &QUndoStack::canUndoChanged, ButtonUndo, &QPushButton::setEnabled);
    connect(&FEditHistory, &QUndoStack::canRedoChanged, ButtonRedo, &QPushButton::setEnabled);
    ButtonUndo->setEnabled(false);
    ButtonRedo->setEnabled(false);
}

void TFormKeltoSimu::CanvasEdited(TCanvasEdit edit)
{
    FRecordedRun.CircuitEdited(edit.Kind);
    RefreshReplayPanel();
    FEditHistory.push(new TCanvasEditCommand(FBoard, std::move(edit), [this] { EditApplied(); }));
}

// Not while a mouse button is down: the canvas's press or drag may hold
// objects the edit would take away.
void TFormKeltoSimu::UndoRedo(bool undo)
{
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    // What an undo takes back is more than a recording can hold.
    FRecordedRun.CircuitChanged();
    RefreshReplayPanel();
    if (undo)
        FEditHistory.undo();
    else
        FEditHistory.redo();
}

// Taking back a part may take the microcontroller and end its run. Whether
// the document changed is the snapshot comparison's, asked when it matters.
void TFormKeltoSimu::EditApplied()
{
    RefreshRunButtons();
}

// A circuit opened during the speed test is shown at once: the banner's
// text would lie over its labels.
void TFormKeltoSimu::CircuitReplaced()
{
    FRecordedRun.Forget();
    RemoveWelcomeBanner();
    FEditHistory.clear();
}

} // namespace kelto::gui
