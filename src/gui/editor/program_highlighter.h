// Colours of the program editor: line number, REM, the quoted statement and
// the words inside it; lines that are not statements look like comments.
#pragma once

#include <QSyntaxHighlighter>

namespace kelto::gui {

class TProgramHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit TProgramHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;
};

} // namespace kelto::gui
