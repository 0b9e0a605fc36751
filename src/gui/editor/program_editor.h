// MemoEditor as a student sees it: a plain-text editor with line numbers,
// colours, marks on the lines Run will not execute or that likely run not as
// meant, saying why, and what each line runs as.
#pragma once

#include "core/basic/program_review.h"

#include <QPlainTextEdit>
#include <QTimer>

#include <vector>

class QLabel;

namespace kelto::gui {

class TProgramHighlighter;

class TProgramEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TProgramEditor(QWidget* parent);

    // Re-checks at once; typing re-checks after a short pause.
    void CheckNow();
    const std::vector<TLineMark>& Marks() const { return FMarks; }
    // The reasons for an editor line (from 0), one per line of text; empty
    // when the line is not marked.
    QString MarkText(int line) const;
    // What the line runs as ("读作：PRINT 1"); empty for a line that is no
    // statement.
    QString ReadingText(int line) const;
    TLineLevel LevelOf(int line) const;
    // What the bar above the text says: a header that stops the program and
    // how many lines will not run or may be mistyped; empty when all is well.
    QString HeaderText() const;
    // What resting the pointer on a line shows: its reading, then its reasons.
    QString TipText(int line) const;
    int GutterWidth() const;
    // The line a run executed last, shown across the editor; -1 for none.
    void SetRunLine(int line);
    int RunLine() const { return FRunLine; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    friend class TLineGutter;
    void PaintGutter(QPaintEvent* event);
    bool ShowTipAt(int line, const QPoint& globalPos);
    QString HeaderMarkText() const;
    void UpdateMargins();
    void RefreshSelections();
    QRect RunLineRect() const;

    QWidget* FGutter = nullptr;
    QLabel* FHeaderBar = nullptr;
    TProgramHighlighter* FHighlighter = nullptr;
    QTimer FCheckTimer;
    std::vector<TLineMark> FMarks;
    std::vector<std::string> FReadings;
    std::vector<TLineLevel> FLevels;
    int FRunLine = -1;
};

} // namespace kelto::gui
