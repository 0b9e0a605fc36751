// What the canvas handlers and the document commands ask of the window:
// timers, dialogs, the caption and the program editor's lines.
#include "gui/app/form_kelto_simu.h"

#include "gui/app/modal_dialogs.h"
#include "gui/instruments/scope_form.h"
#include "gui/render/picture_file.h"

#include "core/board/file_error_text.h"
#include "core/files/atomic_file.h"
#include "core/look/board_drawing.h"

#include <QFile>
#include <QPlainTextEdit>

namespace kelto::gui {

namespace {

QString NameOf(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
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

TModalResult TFormKeltoSimu::ShowDeleteDialog(const std::string& partCaption)
{
    return FDialogs.ShowDeleteDialog(QString::fromStdString(partCaption));
}

void TFormKeltoSimu::ShowInstrumentWindow(TInstrument instrument)
{
    if (instrument == TInstrument::None)
        return;
    if (TScopeForm* window = FInstrumentWindows[static_cast<size_t>(instrument) - 1]) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
    }
}

void TFormKeltoSimu::HideInstrumentWindow(TInstrument instrument)
{
    if (instrument == TInstrument::None)
        return;
    if (TScopeForm* window = FInstrumentWindows[static_cast<size_t>(instrument) - 1])
        window->hide();
}

TSaveAnswer TFormKeltoSimu::AskSaveChanges(const std::string& text)
{
    return FDialogs.AskSaveChanges(this, QString::fromStdString(text));
}

std::optional<std::string> TFormKeltoSimu::ChooseFile(TFileDialog dialog, TFileKind kind, TDialogUse use)
{
    const QString circuit = NameOf(FDocument.FileName());
    const QString program = NameOf(FDocument.ProgramFileName());
    const QString start = kind == TFileKind::Circuit ? FDialogFolders.StartFolder(circuit, program, use)
                                                     : FDialogFolders.StartFolder(program, circuit, use);
    const QString chosen = (FDialogs.*dialog)(this, start);
    if (chosen.isEmpty())
        return std::nullopt;
    FDialogFolders.Remember(chosen);
    return QFile::encodeName(chosen).toStdString();
}

std::optional<std::string> TFormKeltoSimu::ChooseCircuitToOpen()
{
    return ChooseFile(&IModalDialogs::OpenDialog1, TFileKind::Circuit, TDialogUse::Open);
}

std::optional<std::string> TFormKeltoSimu::ChooseCircuitToSave()
{
    return ChooseFile(&IModalDialogs::SaveDialog1, TFileKind::Circuit, TDialogUse::Save);
}

std::optional<std::string> TFormKeltoSimu::ChooseProgramToOpen()
{
    return ChooseFile(&IModalDialogs::OpenDialog2, TFileKind::Program, TDialogUse::Open);
}

std::optional<std::string> TFormKeltoSimu::ChooseProgramToSave()
{
    return ChooseFile(&IModalDialogs::SaveDialog2, TFileKind::Program, TDialogUse::Save);
}

// The whole circuit, not only what the canvas shows, in the format, scale
// and style the user picked; a failed write leaves no file behind.
void TFormKeltoSimu::ButtonExportPictureClick()
{
    const QString start = FDialogFolders.StartFolder(NameOf(FDocument.FileName()),
                                                     NameOf(FDocument.ProgramFileName()), TDialogUse::Save);
    look::TPictureChoice choice;
    const QString chosen = FDialogs.SavePictureDialog(this, start, choice);
    if (chosen.isEmpty())
        return;
    FDialogFolders.Remember(chosen);
    const QByteArray bytes =
        PictureBytes(FRenderKit, look::BoardPicture(FBoard, choice.PrintStyle), choice.Format, choice.Scale);
    const std::string path = QFile::encodeName(chosen).toStdString();
    TFileResult written =
        WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!written.Ok)
        ShowFileError(FileErrorText(written.About(TFileOperation::Write, path, "Cannot write")));
}

std::optional<size_t> TFormKeltoSimu::ChooseLesson(const std::vector<std::string>& titles)
{
    QStringList shown;
    for (const std::string& title : titles)
        shown.push_back(QString::fromStdString(title));
    const int chosen = FDialogs.ChooseLesson(this, shown);
    if (chosen < 0)
        return std::nullopt;
    return static_cast<size_t>(chosen);
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
