#include "scenewright/gui/EditorFrame.h"

#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/FittingScrollArea.h"
#include "scenewright/gui/FlowLayout.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace scenewright::gui {

EditorFrame::EditorFrame(QWidget* parent, Qt::Alignment buttonAlignment) : QFrame(parent)
{
    auto* content = new QWidget;
    body_ = new QGridLayout(content);
    body_->setContentsMargins(0, 0, 0, 0);
    scroll_ = new FittingScrollArea(content);
    errorLabel_ = EditorStyle::errorLabel();
    buttons_ = new FlowLayout(buttonAlignment);
    buttons_->setContentsMargins(0, 0, 0, 0);
    buttons_->setSpacing(6);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_);
    layout->addWidget(errorLabel_);
    layout->addLayout(buttons_);
}

QPushButton* EditorFrame::addButton(const QString& text)
{
    auto* button = new QPushButton(text);
    buttons_->addWidget(button);
    return button;
}

void EditorFrame::scrollToTop()
{
    scroll_->verticalScrollBar()->setValue(0);
    scroll_->horizontalScrollBar()->setValue(0);
}

} // namespace scenewright::gui
