// MemoEditor as a student sees it: a plain-text editor with line numbers,
// colours, and marks on the lines Run will not execute, saying why.
#pragma once

#include "core/basic/program_check.h"

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
    // What the bar above the text says; empty while the header is fine.
    QString HeaderText() const;
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
    void UpdateMargins();
    void RefreshSelections();
    QRect RunLineRect() const;

    QWidget* FGutter = nullptr;
    QLabel* FHeaderBar = nullptr;
    TProgramHighlighter* FHighlighter = nullptr;
    QTimer FCheckTimer;
    std::vector<TLineMark> FMarks;
    int FRunLine = -1;
};

} // namespace kelto::gui
