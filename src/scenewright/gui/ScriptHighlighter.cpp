#include "scenewright/gui/ScriptHighlighter.h"

#include <QColor>
#include <QFont>
#include <QLatin1StringView>

#include <algorithm>
#include <iterator>

namespace scenewright::gui {

namespace {

// JavaScript's reserved words and literals, sorted for a binary search.
constexpr QLatin1StringView keywords[] = {
    QLatin1StringView("await"),    QLatin1StringView("break"),      QLatin1StringView("case"),
    QLatin1StringView("catch"),    QLatin1StringView("class"),      QLatin1StringView("const"),
    QLatin1StringView("continue"), QLatin1StringView("debugger"),   QLatin1StringView("default"),
    QLatin1StringView("delete"),   QLatin1StringView("do"),         QLatin1StringView("else"),
    QLatin1StringView("export"),   QLatin1StringView("extends"),    QLatin1StringView("false"),
    QLatin1StringView("finally"),  QLatin1StringView("for"),        QLatin1StringView("function"),
    QLatin1StringView("if"),       QLatin1StringView("import"),     QLatin1StringView("in"),
    QLatin1StringView("instanceof"), QLatin1StringView("let"),      QLatin1StringView("new"),
    QLatin1StringView("null"),     QLatin1StringView("return"),     QLatin1StringView("super"),
    QLatin1StringView("switch"),   QLatin1StringView("this"),       QLatin1StringView("throw"),
    QLatin1StringView("true"),     QLatin1StringView("try"),        QLatin1StringView("typeof"),
    QLatin1StringView("undefined"), QLatin1StringView("var"),       QLatin1StringView("void"),
    QLatin1StringView("while"),    QLatin1StringView("with"),       QLatin1StringView("yield"),
};

struct KeywordOrder {
    bool operator()(QLatin1StringView keyword, QStringView word) const { return keyword.compare(word) < 0; }
    bool operator()(QStringView word, QLatin1StringView keyword) const { return keyword.compare(word) > 0; }
};

bool isKeyword(QStringView word)
{
    return std::binary_search(std::begin(keywords), std::end(keywords), word, KeywordOrder());
}

bool startsIdentifier(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'$';
}

bool continuesIdentifier(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

QTextCharFormat coloured(const QColor& colour, bool bold = false, bool italic = false)
{
    QTextCharFormat format;
    format.setForeground(colour);
    if (bold)
        format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

} // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document),
      keyword_(keywordFormat()),
      string_(stringFormat()),
      comment_(commentFormat()),
      number_(numberFormat())
{
}

QTextCharFormat ScriptHighlighter::keywordFormat()
{
    return coloured(QColor(0x00, 0x00, 0x99), true);
}

QTextCharFormat ScriptHighlighter::stringFormat()
{
    return coloured(QColor(0x00, 0x73, 0x00));
}

QTextCharFormat ScriptHighlighter::commentFormat()
{
    return coloured(QColor(0x70, 0x70, 0x70), false, true);
}

QTextCharFormat ScriptHighlighter::numberFormat()
{
    return coloured(QColor(0xa0, 0x40, 0x00));
}

void ScriptHighlighter::highlightBlock(const QString& text)
{
    // A compressed script is one line of megabytes; laying out that many
    // coloured pieces would take seconds, so only its start is coloured.
    const qsizetype length = std::min(text.size(), longestColouredLine);
    qsizetype at = 0;
    int state = std::max(previousBlockState(), 0);

    // Scans from `from` to the closing of a block comment; true when found.
    const auto closeComment = [&](qsizetype from) {
        const qsizetype end = text.indexOf(QLatin1StringView("*/"), from);
        const qsizetype stop = end < 0 ? length : std::min(end + 2, length);
        setFormat(from, stop - from, comment_);
        at = stop;
        return end >= 0;
    };
    // Scans a string from `from` (past its opening quote) to the quote that
    // closes it, skipping escaped characters; true when it closes on this line.
    const auto closeString = [&](qsizetype start, qsizetype from, QChar quote) {
        qsizetype i = from;
        while (i < length && text[i] != quote)
            i += text[i] == u'\\' ? 2 : 1;
        const bool closed = i < length;
        at = closed ? i + 1 : length;
        setFormat(start, at - start, string_);
        return closed;
    };

    if (state == BlockComment && !closeComment(0)) {
        setCurrentBlockState(BlockComment);
        return;
    }
    if (state == TemplateLiteral && !closeString(0, 0, u'`')) {
        setCurrentBlockState(TemplateLiteral);
        return;
    }
    state = Code;

    while (at < length) {
        const QChar c = text[at];
        const QChar next = at + 1 < length ? text[at + 1] : QChar();
        if (c == u'/' && next == u'/') {
            setFormat(at, length - at, comment_);
            break;
        }
        if (c == u'/' && next == u'*') {
            if (!closeComment(at)) {
                state = BlockComment;
                break;
            }
        } else if (c == u'\'' || c == u'"') {
            closeString(at, at + 1, c);
        } else if (c == u'`') {
            if (!closeString(at, at + 1, c)) {
                state = TemplateLiteral;
                break;
            }
        } else if (startsIdentifier(c)) {
            const qsizetype start = at;
            while (at < length && continuesIdentifier(text[at]))
                ++at;
            if (isKeyword(QStringView(text).mid(start, at - start)))
                setFormat(start, at - start, keyword_);
        } else if (c.isDigit() || (c == u'.' && next.isDigit())) {
            const qsizetype start = at;
            while (at < length) {
                const QChar d = text[at];
                const bool exponentSign = (d == u'+' || d == u'-') && (text[at - 1] == u'e' || text[at - 1] == u'E')
                    && !text.mid(start, 2).startsWith(QLatin1StringView("0x"), Qt::CaseInsensitive);
                if (!d.isLetterOrNumber() && d != u'.' && d != u'_' && !exponentSign)
                    break;
                ++at;
            }
            setFormat(start, at - start, number_);
        } else {
            ++at;
        }
    }
    setCurrentBlockState(state);
}

} // namespace scenewright::gui
