#include "scenewright/gui/ScriptPreview.h"

#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/SceneEditor.h"
#include "scenewright/gui/Fonts.h"
#include "scenewright/gui/ScriptHighlighter.h"

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>

namespace scenewright::gui {

ScriptPreview::ScriptPreview(QWidget* parent) : QWidget(parent)
{
    scriptArea_ = new QPlainTextEdit(this);
    scriptArea_->setObjectName("previewText");
    scriptArea_->setReadOnly(true);
    scriptArea_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = Fonts::sansSerif(12, false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    scriptArea_->setFont(font);
    new ScriptHighlighter(scriptArea_->document());

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(scriptArea_, 0, 0);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(delayMilliseconds);
    connect(timer_, &QTimer::timeout, this, &ScriptPreview::refresh);
    listener_ = core::SceneEditor::getInstance().addChangeListener([this] { scheduleRefresh(); });
}

ScriptPreview::~ScriptPreview()
{
    core::SceneEditor::getInstance().removeChangeListener(listener_);
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
    // After Close the registry is empty and there is no scene to script.
    const core::ObjectManager& registry = core::ObjectManager::getInstance();
    const QString script = registry.getAtmoObjectSize() == 0 ? QString()
                                                             : QString::fromStdString(registry.generateAtmoScript());
    if (script == shownScript_)
        return;
    shownScript_ = script;
    // The reader keeps their place in the script while it changes under them.
    QScrollBar* vertical = scriptArea_->verticalScrollBar();
    QScrollBar* horizontal = scriptArea_->horizontalScrollBar();
    const int top = vertical->value();
    const int left = horizontal->value();
    scriptArea_->setPlainText(script);
    vertical->setValue(top);
    horizontal->setValue(left);
}

void ScriptPreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stale_)
        refresh();
}

} // namespace scenewright::gui
