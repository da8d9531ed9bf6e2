#include "scenewright/gui/WorldBasePanel.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/core/script/Sounds.h"
#include "scenewright/gui/EditableCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace scenewright::gui {

using core::SceneDocument;

WorldBasePanel::WorldBasePanel(QWidget* parent) : QWidget(parent)
{
    soundpanel_ = new SoundPanel(this);
    fogpanel_ = new FogPanel(this);
    glarePanel_ = new GlarePanel(this);
    welcomePanel_ = new WelcomeMessagePanel(this);
    for (QWidget* editor : {static_cast<QWidget*>(soundpanel_), static_cast<QWidget*>(fogpanel_),
                            static_cast<QWidget*>(glarePanel_), static_cast<QWidget*>(welcomePanel_)})
        editor->hide();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    fogBox_ = addSwitch(0, tr("Fog"), &WorldBasePanel::fogClicked, fogpanel_, [this] { fogpanel_->setup(); });
    glareBox_ = addSwitch(1, tr("Glare"), &WorldBasePanel::glareClicked, glarePanel_, [this] { glarePanel_->setup(); });
    welcomeBox_ = addSwitch(2, tr("Welcome message"), &WorldBasePanel::welcomeClicked, welcomePanel_,
                            [this] { welcomePanel_->setup(); });

    auto* sounds = new QFrame;
    sounds->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* soundLayout = new QGridLayout(sounds);
    auto* add = new QPushButton(tr("Add Sound"));
    auto* remove = new QPushButton(tr("Remove Sound"));
    connect(add, &QPushButton::clicked, this, &WorldBasePanel::addSound);
    connect(remove, &QPushButton::clicked, this, &WorldBasePanel::removeSound);
    soundList_ = new QComboBox;
    // As wide as a short name, whatever the sounds are called: a long one
    // is cut short in the box rather than widening the panel.
    soundList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    soundList_->setMinimumContentsLength(8);
    // Only a pick by the user opens the editor, not a refill.
    connect(soundList_, &QComboBox::activated, this, &WorldBasePanel::soundPicked);
    soundLayout->addWidget(add, 0, 0, 1, 2);
    soundLayout->addWidget(remove, 1, 0, 1, 2);
    soundLayout->addWidget(new QLabel(tr("Sounds")), 2, 0);
    soundLayout->addWidget(soundList_, 2, 1);
    soundLayout->setColumnStretch(1, 1);

    auto* note = new QPlainTextEdit(tr("Set your global effects and chat messages here"));
    note->setReadOnly(true);
    note->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    note->setFixedHeight(60);

    layout->addWidget(sounds, 3, 0);
    layout->addWidget(note, 4, 0);
}

WorldBasePanel::~WorldBasePanel()
{
    // Editors shown in the far panel belong to it as widgets, but to this
    // panel in fact; they go with it.
    delete soundpanel_;
    delete fogpanel_;
    delete glarePanel_;
    delete welcomePanel_;
}

void WorldBasePanel::setup(std::shared_ptr<SceneDocument> document)
{
    document_ = std::move(document);
    for (EditorFrame* editor : {static_cast<EditorFrame*>(soundpanel_), static_cast<EditorFrame*>(fogpanel_),
                                static_cast<EditorFrame*>(glarePanel_), static_cast<EditorFrame*>(welcomePanel_)})
        editor->setDocument(document_);
    world_ = document_ ? document_->world() : nullptr;
    if (!world_)
        return;
    fogBox_->setChecked(world_->getFogEnabled());
    glareBox_->setChecked(world_->getGlareEnabled());
    welcomeBox_->setChecked(world_->getWelcomeEnabled());
    updateLists();
}

void WorldBasePanel::updateLists()
{
    {
        const QSignalBlocker blocker(soundList_);
        soundList_->clear();
        if (world_)
            for (const auto& sound : world_->getSoundList())
                soundList_->addItem(QString::fromStdString(sound->toString()));
    }
    added_ = false;
    if (world_)
        emit statusOutdated();
}

QCheckBox* WorldBasePanel::addSwitch(int row, const QString& caption, void (WorldBasePanel::*onClick)(bool),
                                     QWidget* editor, std::function<void()> loadEditor)
{
    auto* check = new EditableCheck(caption);
    connect(check, &EditableCheck::clicked, this, onClick);
    connect(check, &EditableCheck::editRequested, this,
            [this, editor, loadEditor = std::move(loadEditor)] { openEffectEditor(editor, loadEditor); });
    static_cast<QGridLayout*>(layout())->addWidget(check, row, 0);
    return check->checkBox();
}

void WorldBasePanel::switchEffect(void (SceneDocument::*setSwitch)(core::World&, bool), bool on, QWidget* editor,
                                  const std::function<void()>& loadEditor)
{
    if (!world_)
        return;
    ((*document_).*setSwitch)(*world_, on);
    openEffectEditor(editor, loadEditor);
}

void WorldBasePanel::openEffectEditor(QWidget* editor, const std::function<void()>& loadEditor)
{
    // An editor on show keeps what the user has typed into it.
    if (!world_ || (editor->parentWidget() != this && !editor->isHidden()))
        return;
    loadEditor();
    emit editorRequested(editor);
    emit statusOutdated();
}

void WorldBasePanel::fogClicked(bool ticked)
{
    switchEffect(&SceneDocument::setFogEnabled, ticked, fogpanel_, [this] { fogpanel_->setup(); });
}

void WorldBasePanel::glareClicked(bool ticked)
{
    switchEffect(&SceneDocument::setGlareEnabled, ticked, glarePanel_, [this] { glarePanel_->setup(); });
}

void WorldBasePanel::welcomeClicked(bool ticked)
{
    switchEffect(&SceneDocument::setWelcomeEnabled, ticked, welcomePanel_, [this] { welcomePanel_->setup(); });
}

void WorldBasePanel::openSoundEditor(std::shared_ptr<core::script::Sounds> sound)
{
    soundpanel_->setup(this, std::move(sound));
    added_ = true;
    emit editorRequested(soundpanel_);
}

void WorldBasePanel::addSound()
{
    openSoundEditor(std::make_shared<core::script::Sounds>());
}

void WorldBasePanel::soundPicked(int index)
{
    if (!world_ || index < 0 || index >= world_->getSoundSize())
        return;
    openSoundEditor(world_->getSound(index));
}

void WorldBasePanel::removeSound()
{
    const int index = soundList_->currentIndex();
    if (!world_ || index < 0 || added_)
        return;
    document_->removeSound(*world_, index);
    updateLists();
}

} // namespace scenewright::gui
