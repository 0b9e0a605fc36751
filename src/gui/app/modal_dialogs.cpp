#include "gui/app/modal_dialogs.h"

#include "core/board/document_texts.h"
#include "gui/app/file_list_texts.h"
#include "gui/app/lesson_chooser.h"
#include "gui/app/save_changes_box.h"
#include "gui/app/strings.h"
#include "gui/editor/form_shan_chu.h"
#include "gui/editor/form_xian.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace kelto::gui {

namespace {

enum class TFileDialogKind : uint8_t { Open, Save };

// Open: the file must exist. Save: a default extension, which follows the
// type chosen, and an overwrite prompt. Qt's own dialog, so its texts follow
// the program's translation rather than the desktop's language.
TChosenFile RunFileDialog(QWidget* parent, const QString& start, TFileDialogKind kind,
                          std::span<const TFileType> types)
{
    QFileDialog dialog(parent, {}, start);
    dialog.setAttribute(Qt::WA_WindowPropagation); // the main window's font
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new TFileListTexts(&dialog));
    QStringList filters;
    for (const TFileType& type : types)
        filters.push_back(type.Filter);
    dialog.setNameFilters(filters);
    if (kind == TFileDialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(types.front().Suffix);
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, types, filters](const QString& filter) {
                             if (const qsizetype index = filters.indexOf(filter); index >= 0)
                                 dialog.setDefaultSuffix(types[static_cast<size_t>(index)].Suffix);
                         });
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return {dialog.selectedFiles().value(0),
            static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

QString RunFileDialog(QWidget* parent, const QString& start, TFileDialogKind kind, const QString& filter,
                      const QString& suffix)
{
    const TFileType type{filter, suffix};
    return RunFileDialog(parent, start, kind, {&type, 1}).Path;
}

} // namespace

TQtModalDialogs::TQtModalDialogs()
    : FFormXian(std::make_unique<TFormXian>()), FFormShanChu(std::make_unique<TFormShanChu>())
{
}

TQtModalDialogs::~TQtModalDialogs() = default;

TSaveAnswer TQtModalDialogs::AskSaveChanges(QWidget* parent, const QString& text)
{
    TSaveChangesBox box(text, parent);
    box.exec();
    return box.Answer();
}

QString TQtModalDialogs::OpenDialog1(QWidget* parent, const QString& start)
{
    return RunFileDialog(parent, start, TFileDialogKind::Open, main_strings::kCircuitFilter, {});
}

QString TQtModalDialogs::SaveDialog1(QWidget* parent, const QString& start)
{
    return RunFileDialog(parent, start, TFileDialogKind::Save, main_strings::kCircuitFilter,
                         main_strings::kCircuitSuffix);
}

QString TQtModalDialogs::OpenDialog2(QWidget* parent, const QString& start)
{
    return RunFileDialog(parent, start, TFileDialogKind::Open, main_strings::kProgramFilter, {});
}

QString TQtModalDialogs::OpenTaskDialog(QWidget* parent, const QString& start)
{
    return RunFileDialog(parent, start, TFileDialogKind::Open, main_strings::kTaskFilter, {});
}

QString TQtModalDialogs::OpenRecordingDialog(QWidget* parent, const QString& start)
{
    return RunFileDialog(parent, start, TFileDialogKind::Open, main_strings::kRecordingFilter, {});
}

QString TQtModalDialogs::SaveRecordingDialog(QWidget* parent, const QString& start)
{
    return RunFileDialog(parent, start, TFileDialogKind::Save, main_strings::kRecordingFilter,
                         main_strings::kRecordingSuffix);
}

QString TQtModalDialogs::SaveDialog2(QWidget* parent, const QString& start)
{
    return RunFileDialog(parent, start, TFileDialogKind::Save, main_strings::kProgramFilter,
                         main_strings::kProgramSuffix);
}

TChosenFile TQtModalDialogs::SaveDataDialog(QWidget* parent, const QString& start,
                                            std::span<const TFileType> types)
{
    return RunFileDialog(parent, start, TFileDialogKind::Save, types);
}

// Each type in colour, then each in the print style; the chosen type decides
// the format, and the extension is added when the name has none.
QString TQtModalDialogs::SavePictureDialog(QWidget* parent, const QString& start,
                                           look::TPictureChoice& choice)
{
    using namespace main_strings;
    using look::TPictureFormat;
    struct TType {
        const QString* Filter;
        look::TPictureChoice Choice;
        const char* Suffix;
    };
    const TType types[] = {{&kPictureSvgFilter, {TPictureFormat::Svg, 1, false}, "svg"},
                           {&kPicturePngFilter, {TPictureFormat::Png, 1, false}, "png"},
                           {&kPicturePng2xFilter, {TPictureFormat::Png, 2, false}, "png"},
                           {&kPicturePdfFilter, {TPictureFormat::Pdf, 1, false}, "pdf"}};
    QStringList filters;
    for (const bool print : {false, true})
        for (const TType& type : types)
            filters.push_back(
                print ? QString(*type.Filter).replace(QStringLiteral("("), kPicturePrintStyle + "(")
                      : *type.Filter);
    QFileDialog dialog(parent, {}, start);
    dialog.setAttribute(Qt::WA_WindowPropagation); // the main window's font
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new TFileListTexts(&dialog));
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const qsizetype chosen = std::max<qsizetype>(filters.indexOf(dialog.selectedNameFilter()), 0);
    const TType& type = types[chosen % std::size(types)];
    choice = type.Choice;
    choice.PrintStyle = chosen >= static_cast<qsizetype>(std::size(types));
    QString path = dialog.selectedFiles().value(0);
    if (!path.isEmpty() && !look::PictureFormatOf(QFile::encodeName(path).toStdString()))
        path += QLatin1Char('.') + QLatin1String(type.Suffix);
    return path;
}

void TQtModalDialogs::ShowFileError(QWidget* parent, const QString& message)
{
    QMessageBox box(
        QMessageBox::Critical,
        QString::fromUtf8(kSavePromptCaption.data(), static_cast<qsizetype>(kSavePromptCaption.size())),
        message, QMessageBox::NoButton, parent);
    box.setAttribute(Qt::WA_WindowPropagation); // the main window's font
    box.addButton(main_strings::kErrorOk, QMessageBox::AcceptRole);
    box.exec();
}

int TQtModalDialogs::ChooseLesson(QWidget* parent, const QStringList& titles)
{
    TLessonChooser chooser(titles, parent);
    chooser.exec();
    return chooser.Chosen();
}

TWireDialogAnswer TQtModalDialogs::ShowWireDialog(TLineStyle current)
{
    return FFormXian->Execute(current);
}

TModalResult TQtModalDialogs::ShowDeleteDialog(const QString& partCaption)
{
    FFormShanChu->SetPartCaption(partCaption);
    return FFormShanChu->ShowModal();
}

} // namespace kelto::gui
