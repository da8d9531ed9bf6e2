#include "scenewright/gui/ScriptPreview.h"

#include "scenewright/core/IdsExhausted.h"
#include "scenewright/gui/Fonts.h"
#include "scenewright/gui/ScriptHighlighter.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <QTimer>

namespace scenewright::gui {

ScriptPreview::ScriptPreview(QWidget* parent) : QWidget(parent)
{
    scriptArea_ = new QPlainTextEdit(this);
    scriptArea_->setObjectName("previewText");
    scriptArea_->setReadOnly(true);
    // Patched at every change: an undo history would only grow.
    scriptArea_->setUndoRedoEnabled(false);
    scriptArea_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = Fonts::sansSerif(12, false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    scriptArea_->setFont(font);
    new ScriptHighlighter(scriptArea_->document());

    message_ = new QLabel(this);
    message_->setObjectName("previewMessage");
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    message_->hide();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(scriptArea_, 0, 0);
    layout->addWidget(message_, 0, 0);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(delayMilliseconds);
    connect(timer_, &QTimer::timeout, this, &ScriptPreview::refresh);
}

void ScriptPreview::scheduleRefresh()
{
    stale_ = true;
    // Restarting on every change would put the refresh off for as long as
    // changes keep coming; the first change of a burst starts the wait.
    if (!timer_->isActive())
        timer_->start();
}

void ScriptPreview::refresh()
{
    timer_->stop();
    stale_ = true;
    if (!isVisible())
        return;
    stale_ = false;
    QString script;
    try {
        if (source_)
            script = QString::fromStdString(source_());
    } catch (const core::IdsExhausted& exhausted) {
        // Shown in place of the script at every refresh, never as a message
        // box: the preview follows the scene without being asked.
        message_->setText(QString::fromUtf8(exhausted.what()));
        message_->show();
        scriptArea_->hide();
        return;
    }
    message_->hide();
    scriptArea_->show();
    if (script == shownScript_)
        return;
    // The reader keeps their place in the script while it changes under them.
    QScrollBar* vertical = scriptArea_->verticalScrollBar();
    QScrollBar* horizontal = scriptArea_->horizontalScrollBar();
    const int top = vertical->value();
    const int left = horizontal->value();
    showChange(script);
    shownScript_ = script;
    vertical->setValue(top);
    horizontal->setValue(left);
}

void ScriptPreview::showChange(const QString& script)
{
    QTextDocument* document = scriptArea_->document();
    // Only a document that holds exactly the text last shown can be patched.
    if (document->characterCount() != shownScript_.size() + 1) {
        scriptArea_->setPlainText(script);
        return;
    }
    // An edit changes a few lines of a script that may run to megabytes:
    // replacing only the text between the common start and the common end
    // keeps laying out and colouring to the lines that changed.
    const qsizetype oldLength = shownScript_.size();
    const qsizetype newLength = script.size();
    const qsizetype shorter = std::min(oldLength, newLength);
    qsizetype prefix = 0;
    while (prefix < shorter && shownScript_[prefix] == script[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && shownScript_[oldLength - 1 - suffix] == script[newLength - 1 - suffix])
        ++suffix;

    QTextCursor cursor(document);
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(oldLength - suffix), QTextCursor::KeepAnchor);
    cursor.insertText(script.mid(prefix, newLength - prefix - suffix));
}

void ScriptPreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stale_)
        refresh();
}

} // namespace scenewright::gui
