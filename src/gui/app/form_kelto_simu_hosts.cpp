// What the canvas handlers and the document commands ask of the window:
// timers, dialogs, the caption and the program editor's lines.
#include "gui/app/form_kelto_simu.h"

#include "gui/app/modal_dialogs.h"

#include <QFile>
#include <QPlainTextEdit>

namespace kelto::gui {

namespace {

std::optional<std::string> ChosenPath(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    return QFile::encodeName(name).toStdString();
}

} // namespace

void TFormKeltoSimu::SetFrameClockEnabled(bool enabled)
{
    GLCadencer1.SetEnabled(enabled);
}

void TFormKeltoSimu::RestartClickTimer()
{
    ClickTimer.stop();
    ClickTimer.start();
}

void TFormKeltoSimu::StopClickTimer()
{
    ClickTimer.stop();
}

TWireDialogAnswer TFormKeltoSimu::ShowWireDialog(TLineStyle current)
{
    return FDialogs.ShowWireDialog(current);
}

TModalResult TFormKeltoSimu::ShowDeleteDialog()
{
    return FDialogs.ShowDeleteDialog();
}

void TFormKeltoSimu::ShowInstrumentWindow(TInstrument instrument)
{
    if (instrument == TInstrument::None)
        return;
    if (QWidget* window = FInstrumentWindows[static_cast<size_t>(instrument) - 1]) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
    }
}

void TFormKeltoSimu::HideInstrumentWindow(TInstrument instrument)
{
    if (instrument == TInstrument::None)
        return;
    if (QWidget* window = FInstrumentWindows[static_cast<size_t>(instrument) - 1])
        window->hide();
}

TSaveAnswer TFormKeltoSimu::AskSaveChanges(const std::string& text)
{
    return FDialogs.AskSaveChanges(this, QString::fromStdString(text));
}

std::optional<std::string> TFormKeltoSimu::ChooseCircuitToOpen()
{
    return ChosenPath(FDialogs.OpenDialog1(this));
}

std::optional<std::string> TFormKeltoSimu::ChooseCircuitToSave()
{
    return ChosenPath(FDialogs.SaveDialog1(this));
}

std::optional<std::string> TFormKeltoSimu::ChooseProgramToOpen()
{
    return ChosenPath(FDialogs.OpenDialog2(this));
}

std::optional<std::string> TFormKeltoSimu::ChooseProgramToSave()
{
    return ChosenPath(FDialogs.SaveDialog2(this));
}

void TFormKeltoSimu::ShowFileError(const std::string& message)
{
    FDialogs.ShowFileError(this, QString::fromUtf8(message));
}

void TFormKeltoSimu::CaptionChanged(const std::string& caption)
{
    setWindowTitle(QString::fromUtf8(caption));
}

// Like the classic memo, a last empty line (the text ends with a line
// break) is not a line, and an empty editor has none.
std::vector<std::string> TFormKeltoSimu::EditorLines()
{
    QStringList lines = MemoEditor->toPlainText().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    std::vector<std::string> result;
    result.reserve(static_cast<size_t>(lines.size()));
    for (const QString& line : lines)
        result.push_back(line.toStdString());
    return result;
}

void TFormKeltoSimu::SetEditorLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text.push_back(QString::fromStdString(line));
    MemoEditor->setPlainText(text.join(QLatin1Char('\n')));
}

} // namespace kelto::gui
