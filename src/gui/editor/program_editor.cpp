#include "gui/editor/program_editor.h"

#include "core/files/program_file.h"
#include "gui/editor/program_highlighter.h"
#include "gui/editor/strings.h"

#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>

#include <algorithm>

namespace kelto::gui {

namespace {

constexpr int kCheckPauseMs = 250;
constexpr int kGutterPadding = 4;
constexpr int kMarkSize = 7;
const QColor kErrorColour(0xD0, 0x00, 0x00);
const QColor kWarningColour(0xE0, 0x80, 0x00);
const QColor kGutterBackground(0xF0, 0xF0, 0xF0);
constexpr int kWaveStep = 2;
const QColor kRunLineColour(0xC8, 0xE6, 0xFF);

bool IsHeaderMark(const TLineMark& mark)
{
    return mark.Reason == TCheckReason::HeaderMissing || mark.Reason == TCheckReason::HeaderWrong;
}

QColor LevelColour(TLineLevel level)
{
    return level == TLineLevel::MayBeWrong ? kWarningColour : kErrorColour;
}

// The marks start where the text does.
int FirstNonBlank(const QString& text)
{
    int start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    return start;
}

QColor LevelTint(TLineLevel level)
{
    QColor tint = LevelColour(level);
    tint.setAlpha(0x22);
    return tint;
}

const QString kErrorBarStyle =
    QStringLiteral("QLabel { background: #FFE0E0; color: #A00000; padding-left: 3px; }");
const QString kWarningBarStyle =
    QStringLiteral("QLabel { background: #FFF0D8; color: #A05000; padding-left: 3px; }");

} // namespace

class TLineGutter : public QWidget {
public:
    explicit TLineGutter(TProgramEditor* editor) : QWidget(editor), FEditor(editor) {}
    QSize sizeHint() const override { return {FEditor->GutterWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { FEditor->PaintGutter(event); }
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            const QTextBlock block = FEditor->cursorForPosition(QPoint(0, help->pos().y())).block();
            if (!FEditor->ShowTipAt(block.blockNumber(), help->globalPos()))
                event->ignore();
            return true;
        }
        return QWidget::event(event);
    }

private:
    TProgramEditor* FEditor;
};

TProgramEditor::TProgramEditor(QWidget* parent)
    : QPlainTextEdit(parent), FGutter(new TLineGutter(this)), FHeaderBar(new QLabel(this)),
      FHighlighter(new TProgramHighlighter(document()))
{
    FHeaderBar->setObjectName(QStringLiteral("HeaderBar"));
    // A narrow editor shows the whole reason over several lines.
    FHeaderBar->setWordWrap(true);
    FHeaderBar->setStyleSheet(kErrorBarStyle);
    FHeaderBar->hide();
    FCheckTimer.setSingleShot(true);
    FCheckTimer.setInterval(kCheckPauseMs);
    connect(&FCheckTimer, &QTimer::timeout, this, &TProgramEditor::CheckNow);
    connect(this, &QPlainTextEdit::textChanged, &FCheckTimer, qOverload<>(&QTimer::start));
    connect(this, &QPlainTextEdit::blockCountChanged, this, &TProgramEditor::UpdateMargins);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0)
            FGutter->scroll(0, dy);
        else
            FGutter->update(0, rect.y(), FGutter->width(), rect.height());
    });
    CheckNow();
}

void TProgramEditor::CheckNow()
{
    FCheckTimer.stop();
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(blockCount()));
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines.push_back(block.text().toStdString());
    // Run does not count a last empty line, and an empty line is never marked.
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    // Nothing typed yet is nothing to warn about: a new window would
    // otherwise greet the student with a red bar.
    TProgramReview review = lines.empty() ? TProgramReview{} : ReviewProgram(ProgramLinesAsGbk(lines));
    FMarks = std::move(review.Marks);
    FReadings = std::move(review.Readings);
    FLevels = LineLevels(FMarks, lines.size());
    FHeaderBar->setStyleSheet(CountMarkedLines(FLevels).WillNotRun == 0 && HeaderMarkText().isEmpty()
                                  ? kWarningBarStyle
                                  : kErrorBarStyle);
    FHeaderBar->setText(HeaderText());
    FHeaderBar->setToolTip(FHeaderBar->text());
    FHeaderBar->setVisible(!FHeaderBar->text().isEmpty());
    UpdateMargins();
    RefreshSelections();
    FGutter->update();
}

QString TProgramEditor::MarkText(int line) const
{
    QStringList reasons;
    for (const TLineMark& mark : FMarks)
        if (static_cast<int>(mark.Line) == line && !IsHeaderMark(mark))
            reasons.push_back(QString::fromStdString(DescribeMark(mark)));
    return reasons.join(QLatin1Char('\n'));
}

QString TProgramEditor::ReadingText(int line) const
{
    if (line < 0 || static_cast<size_t>(line) >= FReadings.size() ||
        FReadings[static_cast<size_t>(line)].empty())
        return {};
    return editor_strings::kReadingPrefix + QString::fromStdString(FReadings[static_cast<size_t>(line)]);
}

TLineLevel TProgramEditor::LevelOf(int line) const
{
    return line >= 0 && static_cast<size_t>(line) < FLevels.size() ? FLevels[static_cast<size_t>(line)]
                                                                   : TLineLevel::Clean;
}

QString TProgramEditor::HeaderMarkText() const
{
    for (const TLineMark& mark : FMarks)
        if (IsHeaderMark(mark))
            return QString::fromStdString(DescribeMark(mark));
    return {};
}

QString TProgramEditor::HeaderText() const
{
    const TMarkedLineCount count = CountMarkedLines(FLevels);
    QStringList counts;
    if (count.WillNotRun > 0)
        counts.push_back(editor_strings::kLinesWillNotRun.arg(count.WillNotRun));
    if (count.MayBeWrong > 0)
        counts.push_back(editor_strings::kLinesMayBeWrong.arg(count.MayBeWrong));
    QStringList parts;
    if (const QString header = HeaderMarkText(); !header.isEmpty())
        parts.push_back(header);
    if (!counts.isEmpty())
        parts.push_back(counts.join(editor_strings::kCountSeparator));
    return parts.join(editor_strings::kHeaderSeparator);
}

int TProgramEditor::GutterWidth() const
{
    const int digits = static_cast<int>(QString::number(std::max(1, blockCount())).size());
    return kGutterPadding + kMarkSize + kGutterPadding +
           fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits + kGutterPadding;
}

void TProgramEditor::UpdateMargins()
{
    const QRect area = contentsRect();
    const int barHeight = FHeaderBar->isVisibleTo(this)
                              ? std::max(fontMetrics().height() + 4, FHeaderBar->heightForWidth(area.width()))
                              : 0;
    setViewportMargins(GutterWidth(), barHeight, 0, 0);
    FGutter->setGeometry(area.left(), area.top() + barHeight, GutterWidth(), area.height() - barHeight);
    FHeaderBar->setGeometry(area.left(), area.top(), area.width(), barHeight);
}

void TProgramEditor::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    UpdateMargins();
}

void TProgramEditor::SetRunLine(int line)
{
    if (line == FRunLine)
        return;
    viewport()->update(RunLineRect());
    FRunLine = line;
    viewport()->update(RunLineRect());
    // Scrolled into view without moving the student's cursor; the editor
    // does not wrap, so the scroll bar counts lines.
    if (line < 0 || line >= blockCount())
        return;
    const int first = firstVisibleBlock().blockNumber();
    const int shown = std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing()));
    if (line < first || line >= first + shown)
        verticalScrollBar()->setValue(line - shown / 2);
}

// Where the run line's band lies in the viewport: the line's height, from
// the text's left edge to the document margin on the right.
QRect TProgramEditor::RunLineRect() const
{
    const QTextBlock block = document()->findBlockByNumber(FRunLine);
    if (FRunLine < 0 || !block.isValid() || !block.isVisible() || block.layout()->lineCount() == 0)
        return {};
    const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
    const QTextLine line = block.layout()->lineAt(0);
    // Where QPlainTextEdit stops a full-width selection, this column included.
    const int right = static_cast<int>(
        contentOffset().x() +
        std::max<qreal>(viewport()->width(), document()->documentLayout()->documentSize().width()) -
        document()->documentMargin() + cursorWidth());
    const QRect band = QRectF(QPointF(box.left() + line.x(), box.top() + line.y()), QSizeF(1, line.height()))
                           .toAlignedRect();
    return QRect(band.topLeft(), QPoint(right, band.bottom()));
}

void TProgramEditor::RefreshSelections()
{
    QList<QTextEdit::ExtraSelection> selections;
    for (size_t line = 0; line < FLevels.size(); ++line) {
        const QTextBlock block = document()->findBlockByNumber(static_cast<int>(line));
        if (FLevels[line] == TLineLevel::Clean || !block.isValid())
            continue;
        QTextEdit::ExtraSelection selection;
        selection.format.setBackground(LevelTint(FLevels[line]));
        selection.cursor = QTextCursor(block);
        const int start = FirstNonBlank(block.text());
        selection.cursor.setPosition(block.position() + start);
        selection.cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        selections.push_back(selection);
    }
    setExtraSelections(selections);
}

// The wave is drawn over the text rather than as a character format: the
// Song face leaves no room below its descent, so a format's wave is clipped.
void TProgramEditor::paintEvent(QPaintEvent* event)
{
    // The run line lies under the text and the marks' tints, so a marked
    // line stays readable. Painted here rather than as a full-width extra
    // selection: the run line moves many times a second while a program
    // runs, and an extra selection costs a text layout pass each time.
    if (const QRect band = RunLineRect().intersected(event->rect()); !band.isEmpty()) {
        QPainter under(viewport());
        under.fillRect(band, kRunLineColour);
    }
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    for (size_t index = 0; index < FLevels.size(); ++index) {
        const QTextBlock block = document()->findBlockByNumber(static_cast<int>(index));
        if (FLevels[index] == TLineLevel::Clean || !block.isValid() || !block.isVisible())
            continue;
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.bottom() < event->rect().top() || box.top() > event->rect().bottom())
            continue;
        const QTextLine line = block.layout()->lineAt(0);
        const int left = qRound(box.left() + line.cursorToX(FirstNonBlank(block.text())));
        const int right = qRound(box.left() + line.naturalTextWidth());
        const int bottom = qRound(box.top() + line.height()) - 1;
        QPolygon wave;
        for (int x = left, k = 0; x <= right; x += kWaveStep, ++k)
            wave << QPoint(x, bottom - (k % 2) * kWaveStep);
        painter.setPen(LevelColour(FLevels[index]));
        painter.drawPolyline(wave);
    }
}

void TProgramEditor::PaintGutter(QPaintEvent* event)
{
    QPainter painter(FGutter);
    painter.fillRect(event->rect(), kGutterBackground);
    const int numberRight = FGutter->width() - kGutterPadding;
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top()) {
            painter.setPen(Qt::darkGray);
            painter.drawText(0, top, numberRight, height, Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(block.blockNumber() + 1));
            if (const TLineLevel level = LevelOf(block.blockNumber()); level != TLineLevel::Clean) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(LevelColour(level));
                painter.drawEllipse(kGutterPadding, top + (height - kMarkSize) / 2, kMarkSize, kMarkSize);
            }
        }
        top += height;
        block = block.next();
    }
}

QString TProgramEditor::TipText(int line) const
{
    QStringList parts;
    for (const QString& part : {ReadingText(line), MarkText(line)})
        if (!part.isEmpty())
            parts.push_back(part);
    return parts.join(QLatin1Char('\n'));
}

bool TProgramEditor::ShowTipAt(int line, const QPoint& globalPos)
{
    const QString text = TipText(line);
    if (text.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(globalPos, text, this);
    return true;
}

bool TProgramEditor::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        ShowTipAt(cursorForPosition(help->pos()).blockNumber(), help->globalPos());
        return true;
    }
    return QPlainTextEdit::viewportEvent(event);
}

} // namespace kelto::gui
