#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class QTextDocument;

namespace scenewright::gui {

// Colours JavaScript as it is shown: keywords, string and template literals,
// line and block comments, numbers. One pass over each line, carrying an
// open block comment or template literal to the next line, so even a
// script of megabytes is coloured in time linear in its length.
class ScriptHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit ScriptHighlighter(QTextDocument* document);

    // How much of one line is coloured; the rest of a longer line stays plain.
    static constexpr qsizetype longestColouredLine = 20000;

    // The formats, for whoever wants to tell what a piece was coloured as.
    static QTextCharFormat keywordFormat();
    static QTextCharFormat stringFormat();
    static QTextCharFormat commentFormat();
    static QTextCharFormat numberFormat();

protected:
    void highlightBlock(const QString& text) override;

private:
    // What a line ends inside of, kept as the block state.
    enum State { Code = 0, BlockComment = 1, TemplateLiteral = 2 };

    QTextCharFormat keyword_;
    QTextCharFormat string_;
    QTextCharFormat comment_;
    QTextCharFormat number_;
};

} // namespace scenewright::gui
