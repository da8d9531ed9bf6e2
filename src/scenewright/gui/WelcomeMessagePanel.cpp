#include "scenewright/gui/WelcomeMessagePanel.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/gui/Fonts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace scenewright::gui {

WelcomeMessagePanel::WelcomeMessagePanel(QWidget* parent) : EditorFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* heading = new QLabel(tr("Welcome Message"));
    heading->setFont(Fonts::dialog(13, true));
    auto* explanation = new QLabel(tr("This is the first message users who enter your Atmosphere world will see. "
                                   "Message appears in the chat window."));
    explanation->setWordWrap(true);
    messageArea_ = new QPlainTextEdit;
    connect(addButton(tr("Save and Close")), &QPushButton::clicked, this, &WelcomeMessagePanel::saveAndClose);

    body()->addWidget(heading, 0, 0);
    body()->addWidget(explanation, 1, 0);
    body()->addWidget(messageArea_, 2, 0);
}

void WelcomeMessagePanel::setup()
{
    world_ = document() ? document()->world() : nullptr;
    QString message;
    if (world_ && world_->getWelcomeMessage())
        message = QString::fromStdString(*world_->getWelcomeMessage());
    messageArea_->setPlainText(message);
}

void WelcomeMessagePanel::saveAndClose()
{
    if (!world_)
        world_ = document() ? document()->world() : nullptr;
    if (!world_)
        return;
    document()->setWelcomeMessage(*world_, messageArea_->toPlainText().toStdString());
    emit closeRequested();
}

} // namespace scenewright::gui
