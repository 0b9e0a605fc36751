// The program editor on the offscreen platform: marks follow typing, the
// header bar, tooltips, line numbers and colours.
#include "gui/editor/program_editor.h"

#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>

using namespace kelto;
using namespace kelto::gui;

namespace {

const QString kHeader = QStringLiteral("0 REM \"KELTOBASIC\"");

QColor ForegroundAt(const QPlainTextEdit& editor, int line, int column)
{
    const QTextBlock block = editor.document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        if (column >= range.start && column < range.start + range.length)
            return range.format.foreground().color();
    return {};
}

} // namespace

class ProgramEditorTest : public QObject {
    Q_OBJECT
private slots:
    void marksTheLinesRunSkipsAndNotComments()
    {
        TProgramEditor editor(nullptr);
        editor.setPlainText(kHeader + QStringLiteral("\n注释：数一数\n10 DDRB=255\n20 REM \"PRINT 5\"\n"
                                                     "30 REM PRINT 5\n\n15 REM \"A=1\"\n"));
        editor.CheckNow();
        QCOMPARE(editor.MarkText(1), QString());
        QVERIFY(editor.MarkText(2).startsWith(QStringLiteral("缺少部分")));
        QCOMPARE(editor.MarkText(3), QString());
        QCOMPARE(editor.MarkText(4), QStringLiteral("语句没有用双引号括起来"));
        QCOMPARE(editor.MarkText(5), QString());
        QVERIFY(editor.MarkText(6).contains(QStringLiteral("第 4 行")));
        QCOMPARE(editor.HeaderText(), QStringLiteral("3 行不会运行"));
        QVERIFY(!editor.findChild<QLabel*>(QStringLiteral("HeaderBar"))->isHidden());
        // Underlines sit on the marked lines only.
        QList<int> underlined;
        for (const QTextEdit::ExtraSelection& selection : editor.extraSelections())
            underlined.push_back(selection.cursor.block().blockNumber());
        QCOMPARE(underlined, (QList<int>{2, 4, 6}));
    }

    // A Chinese character counts two bytes, as Run counts it: eight in all
    // here (not five on screen, nor eleven in UTF-8).
    void countsLengthInTheProgramCodePage()
    {
        TProgramEditor editor(nullptr);
        editor.setPlainText(kHeader + QStringLiteral("\n1 中中中\n1 REM \"中\""));
        editor.CheckNow();
        QCOMPARE(editor.MarkText(1), QStringLiteral("这一行太短（不超过 8 个字符），不会执行"));
        // Nine bytes: it runs (doing nothing, which is worth a warning only).
        QCOMPARE(editor.LevelOf(2), TLineLevel::MayBeWrong);
    }

    void marksFollowTypingAfterAPause()
    {
        TProgramEditor editor(nullptr);
        editor.resize(300, 200);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto* bar = editor.findChild<QLabel*>(QStringLiteral("HeaderBar"));
        const int topWithoutBar = editor.viewport()->geometry().top();
        // An empty editor is not marked; the first character typed is.
        editor.CheckNow();
        QVERIFY(bar->isHidden());
        QTest::keyClick(&editor, Qt::Key_1);
        QTRY_VERIFY(bar->isVisible());
        QVERIFY(bar->text().contains(QStringLiteral("KELTOBASIC")));
        const int topWithBar = editor.viewport()->geometry().top();
        QVERIFY(topWithBar > topWithoutBar);

        QTest::keyClick(&editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&editor, kHeader);
        QTRY_VERIFY(bar->isHidden());
        QVERIFY(editor.viewport()->geometry().top() < topWithBar);
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, QStringLiteral("10 REM \"A=1"));
        QTRY_COMPARE(editor.MarkText(1), QStringLiteral("语句缺少右双引号"));
        QTest::keyClick(&editor, Qt::Key_QuoteDbl);
        QTRY_COMPARE(editor.MarkText(1), QString());
    }

    void wrongHeaderIsShownAboveAndOnItsLine()
    {
        TProgramEditor editor(nullptr);
        editor.setPlainText(QStringLiteral("0 REM \"keltobasic\"\n10 REM \"A=1\""));
        editor.resize(180, 200);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.CheckNow();
        QVERIFY(editor.HeaderText().contains(QStringLiteral("程序不会运行")));
        // A narrow editor wraps the reason instead of cutting it off.
        const auto* bar = editor.findChild<QLabel*>(QStringLiteral("HeaderBar"));
        QVERIFY(bar->height() >= bar->heightForWidth(bar->width()));
        QVERIFY(bar->height() > 2 * editor.fontMetrics().height());
        QCOMPARE(editor.extraSelections().size(), 1);
        QCOMPARE(editor.extraSelections().front().cursor.block().blockNumber(), 0);
    }

    void tooltipOverAMarkedLineSaysWhy()
    {
        TProgramEditor editor(nullptr);
        editor.resize(400, 200);
        editor.setPlainText(kHeader + QStringLiteral("\n10 REM \"\""));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.CheckNow();
        const QRect line = editor.cursorRect(QTextCursor(editor.document()->findBlockByNumber(1)));
        QHelpEvent help(QEvent::ToolTip, line.center(), editor.viewport()->mapToGlobal(line.center()));
        QCoreApplication::sendEvent(editor.viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("语句是空的"));
    }

    // A line that runs but likely not as meant is orange, apart from the red
    // of one that will not run; resting on it says what it runs as and why.
    void warningsAreOrangeAndSayWhatTheLineRunsAs()
    {
        TProgramEditor editor(nullptr);
        editor.resize(500, 200);
        editor.setPlainText(kHeader +
                            QStringLiteral("\n20 REM \"PROTB 1\"\n30 REM \"\"\n40 REM \"PRINT 1\""));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.CheckNow();
        QCOMPARE(editor.HeaderText(), QStringLiteral("1 行不会运行，1 行可能写错了"));
        QCOMPARE(editor.TipText(3), QStringLiteral("读作：PRINT 1"));
        QCOMPARE(editor.TipText(0), QStringLiteral("读作：KELTOBASIC"));
        const QImage shown = editor.grab().toImage();
        const auto dotAt = [&](int line) {
            const QRect text = editor.cursorRect(QTextCursor(editor.document()->findBlockByNumber(line)));
            const QPoint centre = editor.viewport()->mapTo(&editor, text.center());
            return shown.pixelColor(editor.contentsRect().left() + 7, centre.y());
        };
        QCOMPARE(dotAt(1), QColor(0xE0, 0x80, 0x00));
        QCOMPARE(dotAt(2), QColor(0xD0, 0x00, 0x00));
        QCOMPARE(dotAt(3), QColor(0xF0, 0xF0, 0xF0));
        const QRect line = editor.cursorRect(QTextCursor(editor.document()->findBlockByNumber(1)));
        QHelpEvent help(QEvent::ToolTip, line.center(), editor.viewport()->mapToGlobal(line.center()));
        QCoreApplication::sendEvent(editor.viewport(), &help);
        QTRY_COMPARE(
            QToolTip::text(),
            QStringLiteral("读作：PRINT 1\nPROTB 不是语句，这一行按 PRINT 执行；是不是想写 PORTB？"));
    }

    void gutterWidensWithTheLineCount()
    {
        TProgramEditor editor(nullptr);
        editor.setPlainText(QStringLiteral("x\n").repeated(8));
        const int narrow = editor.GutterWidth();
        editor.setPlainText(QStringLiteral("x\n").repeated(120));
        QVERIFY(editor.GutterWidth() > narrow);
        QCOMPARE(editor.viewport()->geometry().left() - editor.contentsRect().left(), editor.GutterWidth());
    }

    void coloursTellTheLineFormApart()
    {
        TProgramEditor editor(nullptr);
        editor.setPlainText(QStringLiteral("10 REM \"PRINT A+12\"\nnote 10"));
        QCoreApplication::processEvents();
        const QColor number = ForegroundAt(editor, 0, 0);
        const QColor keyword = ForegroundAt(editor, 0, 8);
        const QColor variable = ForegroundAt(editor, 0, 14);
        const QColor digits = ForegroundAt(editor, 0, 16);
        const QColor comment = ForegroundAt(editor, 1, 0);
        QVERIFY(number.isValid() && keyword.isValid() && variable.isValid() && digits.isValid() &&
                comment.isValid());
        const QList<QColor> all{number, keyword, variable, digits, comment};
        for (int i = 0; i < all.size(); ++i)
            for (int k = i + 1; k < all.size(); ++k)
                QVERIFY2(all[i] != all[k], qPrintable(QStringLiteral("%1 %2").arg(i).arg(k)));
        QCOMPARE(ForegroundAt(editor, 1, 5), comment); // a number later on a comment line is still comment
    }

    // The run line is a band across its line under the text; when it moves,
    // only the lines it leaves and enters are repainted, and what shows must
    // equal painting the whole editor.
    void runLineBandMovesWithoutLeavingATrace()
    {
        TProgramEditor editor(nullptr);
        editor.resize(300, 220);
        editor.setPlainText(kHeader + "\n10 REM \"A=1\"\ncomment\n20 REM \"GOTO 10\"\n30 REM \"END\"");
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QWidget* viewport = editor.viewport();
        const auto bandAt = [&](int line) {
            const QTextCursor atLine(editor.document()->findBlockByNumber(line));
            return viewport->grab().toImage().pixelColor(viewport->width() - 20,
                                                         editor.cursorRect(atLine).center().y());
        };
        const QColor base = bandAt(2);
        for (const int line : {1, 3, 2, 2, 4, -1, 0}) {
            editor.SetRunLine(line);
            QCoreApplication::processEvents();
            const QImage shown =
                editor.screen()->grabWindow(editor.winId()).toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown, editor.grab().toImage().convertToFormat(QImage::Format_RGB32));
            for (int other = 0; other < 5; ++other)
                QVERIFY2((bandAt(other) != base) == (other == line),
                         qPrintable(QStringLiteral("run line %1, line %2").arg(line).arg(other)));
        }
    }
};

QTEST_MAIN(ProgramEditorTest)
#include "program_editor_test.moc"
