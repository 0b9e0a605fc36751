// The real modal dialogs, answered by a timer while they are open: the
// save-changes prompt's buttons and keys, and the four file dialogs' filters,
// extensions and modes, and the lesson chooser.
#include "gui/app/chinese_translations.h"
#include "gui/app/lesson_chooser.h"
#include "gui/app/modal_dialogs.h"
#include "gui/app/save_changes_box.h"
#include "gui/render/render_kit.h"

#include "core/board/document_texts.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace kelto;
using namespace kelto::gui;

Q_DECLARE_METATYPE(std::function<void(kelto::gui::TQtModalDialogs&, QWidget*)>)

namespace {

// Runs `act` on the modal dialog once it is open.
void WhenModal(const std::function<void(QWidget*)>& act)
{
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal != nullptr);
        act(modal);
    });
}

} // namespace

class ModalDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        InstallFontSubstitutions();
        QVERIFY(InstallChineseTranslations(*qApp));
    }

    void savePromptHasYesNoCancelInOrderWithTheTextOnTwoLines()
    {
        const QString text = QStringLiteral("单片机仿真文件的内容已经被更改,\r\n是否保存更改?");
        TSaveChangesBox box(text);
        QCOMPARE(box.windowTitle(), QStringLiteral("系统提示"));
        QCOMPARE(box.ButtonYes->text(), QStringLiteral("是"));
        QCOMPARE(box.ButtonNo->text(), QStringLiteral("否"));
        QCOMPARE(box.ButtonCancel->text(), QStringLiteral("取消"));
        QVERIFY(box.ButtonYes->isDefault());
        QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Message"))->text(),
                 QStringLiteral("单片机仿真文件的内容已经被更改,\n是否保存更改?"));
        const QList<QLabel*> labels = box.findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel* l) { return !l->pixmap().isNull(); }));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(box.ButtonYes->x() < box.ButtonNo->x() && box.ButtonNo->x() < box.ButtonCancel->x());
        QCOMPARE(box.ButtonYes->nextInFocusChain(), box.ButtonNo);
        QCOMPARE(box.ButtonNo->nextInFocusChain(), box.ButtonCancel);
    }

    void savePromptAnswers_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("Enter") << int(Qt::Key_Return) << QString() << int(TSaveAnswer::Yes);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << QString() << int(TSaveAnswer::Cancel);
        QTest::newRow("否") << 0 << QStringLiteral("否") << int(TSaveAnswer::No);
        QTest::newRow("取消") << 0 << QStringLiteral("取消") << int(TSaveAnswer::Cancel);
        QTest::newRow("close box") << -1 << QString() << int(TSaveAnswer::Cancel);
    }

    void savePromptAnswers()
    {
        QFETCH(int, key);
        QFETCH(QString, button);
        QFETCH(int, answer);
        TQtModalDialogs dialogs;
        WhenModal([key, button](QWidget* box) {
            if (key > 0)
                QTest::keyClick(box, static_cast<Qt::Key>(key));
            else if (key < 0)
                box->close();
            else
                for (QPushButton* b : box->findChildren<QPushButton*>())
                    if (b->text() == button)
                        QTest::mouseClick(b, Qt::LeftButton);
        });
        QCOMPARE(int(dialogs.AskSaveChanges(nullptr, QStringLiteral("?"))), answer);
    }

    // Qt's own texts follow the program, not the system's locale.
    void qtDialogTextsAreChinese()
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QStringLiteral("(&Y)")), QStringLiteral("是"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(QStringLiteral("(&N)")), QStringLiteral("否"));

        TQtModalDialogs dialogs;
        QStringList labels;
        QStringList buttons;
        QString folder;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            folder = dialog->directory().absolutePath();
            for (QLabel* label : dialog->findChildren<QLabel*>())
                labels << label->text();
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                buttons << button->text();
            dialog->reject();
        });
        const QTemporaryDir start;
        dialogs.SaveDialog1(nullptr, start.path());
        QCOMPARE(folder, QDir(start.path()).absolutePath());
        QVERIFY2(labels.contains(QStringLiteral("查找范围：")), qPrintable(labels.join('|')));
        QVERIFY2(buttons.contains(QStringLiteral("保存(&S)")) || buttons.contains(QStringLiteral("保存")),
                 qPrintable(buttons.join('|')));
    }

    // Qt's file model writes folders' type, sizes and dates in the system's
    // language; the list shows them in Chinese.
    void fileListShowsFolderTypeSizesAndDatesInChinese()
    {
        const QTemporaryDir start;
        QVERIFY(QDir(start.path()).mkdir(QStringLiteral("lessons")));
        const QString folder = start.filePath(QStringLiteral("lessons"));
        const QString file = start.filePath(QStringLiteral("a.dps"));
        QFile small(file);
        QVERIFY(small.open(QIODevice::WriteOnly) && small.write("<K/>") == 4);
        small.close();
        QString type;
        QString date;
        QString size;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            auto* files = dialog->findChild<QFileSystemModel*>();
            QVERIFY(files != nullptr && dialog->proxyModel() != nullptr);
            const auto shown = [&](const QString& path, int column) {
                return dialog->proxyModel()->mapFromSource(files->index(path, column)).data().toString();
            };
            type = shown(folder, 2);
            date = shown(folder, 3);
            size = shown(file, 1);
            dialog->reject();
        });
        TQtModalDialogs dialogs;
        dialogs.OpenDialog1(nullptr, start.path());
        QCOMPARE(type, QStringLiteral("文件夹"));
        const QDateTime modified = QFileInfo(folder).lastModified();
        QCOMPARE(date, QLocale(QLocale::Chinese, QLocale::China).toString(modified, QLocale::ShortFormat));
        QVERIFY2(date.contains(QString::number(modified.date().year())), qPrintable(date));
        QCOMPARE(size, QStringLiteral("4 字节"));
    }

    void fileDialogsCarryTheirFiltersSuffixesAndModes()
    {
        struct TFileCase {
            const char* Name;
            QString (TQtModalDialogs::*Show)(QWidget*, const QString&);
            QString Filter;
            QString Suffix;
            QFileDialog::AcceptMode Accept;
            QFileDialog::FileMode Mode;
        };
        const QString circuits = QStringLiteral("单片机仿真文件(*.dps)");
        const QString programs = QStringLiteral("KELTOBASIC文件文本格式(*.txt)");
        const TFileCase cases[] = {
            {"open circuit", &TQtModalDialogs::OpenDialog1, circuits, "", QFileDialog::AcceptOpen,
             QFileDialog::ExistingFile},
            {"save circuit", &TQtModalDialogs::SaveDialog1, circuits, "dps", QFileDialog::AcceptSave,
             QFileDialog::AnyFile},
            {"open program", &TQtModalDialogs::OpenDialog2, programs, "", QFileDialog::AcceptOpen,
             QFileDialog::ExistingFile},
            {"save program", &TQtModalDialogs::SaveDialog2, programs, "txt", QFileDialog::AcceptSave,
             QFileDialog::AnyFile},
        };
        TQtModalDialogs dialogs;
        for (const TFileCase& c : cases) {
            QFileDialog* seen = nullptr;
            QStringList filters;
            QString suffix;
            bool confirmsOverwrite = false;
            WhenModal([&](QWidget* modal) {
                seen = qobject_cast<QFileDialog*>(modal);
                QVERIFY(seen != nullptr);
                filters = seen->nameFilters();
                suffix = seen->defaultSuffix();
                QCOMPARE(seen->acceptMode(), c.Accept);
                QCOMPARE(seen->fileMode(), c.Mode);
                confirmsOverwrite = !seen->testOption(QFileDialog::DontConfirmOverwrite);
                seen->reject();
            });
            QVERIFY2((dialogs.*c.Show)(nullptr, QDir::tempPath()).isEmpty(), c.Name);
            QVERIFY2(seen != nullptr, c.Name);
            QCOMPARE(filters, QStringList{c.Filter});
            QCOMPARE(suffix, c.Suffix);
            QVERIFY(confirmsOverwrite);
        }
    }

    // Each dialog opened over the main window shows the main window's font;
    // a window of its own does not inherit it unless told to.
    void dialogsOverTheWindowUseItsFont_data()
    {
        using TOpen = std::function<void(TQtModalDialogs&, QWidget*)>;
        QTest::addColumn<TOpen>("open");
        QTest::newRow("save prompt") << TOpen(
            [](TQtModalDialogs& d, QWidget* p) { d.AskSaveChanges(p, "?"); });
        QTest::newRow("lesson chooser")
            << TOpen([](TQtModalDialogs& d, QWidget* p) { d.ChooseLesson(p, {QStringLiteral("第1课")}); });
        QTest::newRow("file error") << TOpen([](TQtModalDialogs& d, QWidget* p) { d.ShowFileError(p, "!"); });
        QTest::newRow("open dialog") << TOpen([](TQtModalDialogs& d, QWidget* p) { d.OpenDialog1(p, {}); });
    }

    void dialogsOverTheWindowUseItsFont()
    {
        using TOpen = std::function<void(TQtModalDialogs&, QWidget*)>;
        QFETCH(TOpen, open);
        QWidget window;
        QFont font(QStringLiteral("AR PL UMing CN"));
        font.setPixelSize(17);
        window.setFont(font);
        TQtModalDialogs dialogs;
        QFont shown;
        WhenModal([&shown](QWidget* modal) {
            shown = modal->font();
            modal->close();
        });
        open(dialogs, &window);
        QCOMPARE(shown.family(), font.family());
        QCOMPARE(shown.pixelSize(), 17);
    }

    void lessonChooserAnswers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("chosen");
        QTest::newRow("Enter takes the first row") << QStringLiteral("enter") << 0;
        QTest::newRow("Down then 打开") << QStringLiteral("down open") << 1;
        QTest::newRow("double-click") << QStringLiteral("double-click third") << 2;
        QTest::newRow("Escape") << QStringLiteral("escape") << -1;
        QTest::newRow("取消") << QStringLiteral("cancel") << -1;
        QTest::newRow("close box") << QStringLiteral("close") << -1;
    }

    void lessonChooserAnswers()
    {
        QFETCH(QString, how);
        QFETCH(int, chosen);
        TQtModalDialogs dialogs;
        WhenModal([how](QWidget* modal) {
            auto* chooser = qobject_cast<TLessonChooser*>(modal);
            QVERIFY(chooser != nullptr);
            QCOMPARE(chooser->windowTitle(), QStringLiteral("示例"));
            QCOMPARE(chooser->ListLessons->count(), 3);
            QCOMPARE(chooser->ListLessons->currentRow(), 0);
            QCOMPARE(chooser->ButtonOpen->text(), QStringLiteral("打开"));
            QCOMPARE(chooser->ButtonCancel->text(), QStringLiteral("取消"));
            if (how == "enter")
                QTest::keyClick(chooser->ListLessons, Qt::Key_Return);
            else if (how == "down open") {
                QTest::keyClick(chooser->ListLessons, Qt::Key_Down);
                QTest::mouseClick(chooser->ButtonOpen, Qt::LeftButton);
            } else if (how == "double-click third") {
                QListWidget* list = chooser->ListLessons;
                const QPoint at = list->visualItemRect(list->item(2)).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            } else if (how == "escape")
                QTest::keyClick(chooser, Qt::Key_Escape);
            else if (how == "cancel")
                QTest::mouseClick(chooser->ButtonCancel, Qt::LeftButton);
            else
                chooser->close();
        });
        const QStringList titles{QStringLiteral("第1课 闪烁"), QStringLiteral("第2课 流水灯"),
                                 QStringLiteral("第3课 按钮")};
        QCOMPARE(dialogs.ChooseLesson(nullptr, titles), chosen);
    }
};

QTEST_MAIN(ModalDialogsTest)
#include "modal_dialogs_test.moc"
