#include "scenewright/gui/EditableCheck.h"

#include "scenewright/gui/WrappingCheckBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

namespace scenewright::gui {

EditableCheck::EditableCheck(const QString& caption, QWidget* parent) : QWidget(parent)
{
    box_ = new WrappingCheckBox(caption);
    edit_ = new QToolButton;
    edit_->setText(tr("Edit"));
    edit_->setToolTip(tr("Open the editor without switching this on or off"));
    pendingClick_ = new QTimer(this);
    pendingClick_->setSingleShot(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box_, 1);
    layout->addWidget(edit_, 0, Qt::AlignTop);

    box_->installEventFilter(this);
    connect(box_, &QCheckBox::clicked, this, &EditableCheck::clicked);
    connect(edit_, &QToolButton::clicked, this, &EditableCheck::editRequested);
    connect(pendingClick_, &QTimer::timeout, box_, &QCheckBox::click);
}

QCheckBox* EditableCheck::checkBox() const
{
    return box_;
}

QAbstractButton* EditableCheck::editButton() const
{
    return edit_;
}

bool EditableCheck::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != box_)
        return QWidget::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    const bool onCaption = !box_->isOnIndicator(mouse->position().toPoint());

    switch (type) {
    case QEvent::MouseButtonPress:
        // The tick box itself ticks at once; the caption waits to see
        // whether a double-click follows.
        pressedOnCaption_ = onCaption;
        doubleClicked_ = false;
        if (onCaption)
            box_->setFocus(Qt::MouseFocusReason);
        return onCaption;
    case QEvent::MouseButtonDblClick:
        if (!onCaption)
            return false;
        pendingClick_->stop();
        doubleClicked_ = true;
        pressedOnCaption_ = true;
        emit editRequested();
        return true;
    default:
        if (!pressedOnCaption_)
            return false;
        pressedOnCaption_ = false;
        if (doubleClicked_)
            doubleClicked_ = false;
        else if (onCaption && box_->rect().contains(mouse->position().toPoint()))
            pendingClick_->start(QApplication::doubleClickInterval());
        return true;
    }
}

} // namespace scenewright::gui
