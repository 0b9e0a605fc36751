#include "gui/editor/program_highlighter.h"

#include "core/basic/program_spans.h"

#include <array>

namespace kelto::gui {

namespace {

QTextCharFormat Format(QColor colour, bool bold = false, bool italic = false)
{
    QTextCharFormat format;
    format.setForeground(colour);
    if (bold)
        format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

const QTextCharFormat& FormatOf(TSpanKind kind)
{
    // In TSpanKind order.
    static const std::array<QTextCharFormat, 10> formats = {
        Format(QColor(0x80, 0x80, 0x80), false, true), // comment
        Format(QColor(0x00, 0x00, 0xA0), true),        // line number
        Format(QColor(0x70, 0x70, 0x70)),              // REM
        Format(QColor(0xA0, 0x00, 0x00)),              // quote
        Format(QColor(0x00, 0x00, 0xFF), true),        // keyword
        Format(QColor(0x00, 0x80, 0x80)),              // function word
        Format(QColor(0xA0, 0x00, 0xA0)),              // number
        Format(QColor(0xB0, 0x50, 0x00)),              // operator
        Format(QColor(0x00, 0x70, 0x00)),              // variable
        Format(QColor(0xA0, 0x00, 0x00)),              // text
    };
    return formats.at(static_cast<size_t>(kind));
}

} // namespace

TProgramHighlighter::TProgramHighlighter(QTextDocument* document) : QSyntaxHighlighter(document)
{
}

void TProgramHighlighter::highlightBlock(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const auto charIndex = [&utf8](size_t byte) {
        return static_cast<int>(QString::fromUtf8(utf8.constData(), static_cast<qsizetype>(byte)).size());
    };
    for (const TLineSpan& span :
         ProgramLineSpans(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())))) {
        const int begin = charIndex(span.Begin);
        setFormat(begin, charIndex(span.Begin + span.Length) - begin, FormatOf(span.Kind));
    }
}

} // namespace kelto::gui
