#include "scenewright/gui/WorldBasePanel.h"

#include "scenewright/Frame1.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/SceneEditor.h"
#include "scenewright/core/World.h"
#include "scenewright/core/script/Sounds.h"
#include "scenewright/gui/EditingArea.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace scenewright::gui {

using core::SceneEditor;

WorldBasePanel::WorldBasePanel(QWidget* parent) : QWidget(parent)
{
    soundpanel_ = new SoundPanel(this);
    fogpanel_ = new FogPanel(this);
    glarePanel_ = new GlarePanel(this);
    welcomePanel_ = new WelcomeMessagePanel(this);
    for (QWidget* editor : {static_cast<QWidget*>(soundpanel_), static_cast<QWidget*>(fogpanel_),
                            static_cast<QWidget*>(glarePanel_), static_cast<QWidget*>(welcomePanel_)})
        editor->hide();

    fogBox_ = new QCheckBox("Fog");
    glareBox_ = new QCheckBox("Glare");
    welcomeBox_ = new QCheckBox("Welcome message");
    connect(fogBox_, &QCheckBox::clicked, this, &WorldBasePanel::fogClicked);
    connect(glareBox_, &QCheckBox::clicked, this, &WorldBasePanel::glareClicked);
    connect(welcomeBox_, &QCheckBox::clicked, this, &WorldBasePanel::welcomeClicked);

    auto* sounds = new QFrame;
    sounds->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* soundLayout = new QGridLayout(sounds);
    auto* add = new QPushButton("Add Sound");
    auto* remove = new QPushButton("Remove Sound");
    connect(add, &QPushButton::clicked, this, &WorldBasePanel::addSound);
    connect(remove, &QPushButton::clicked, this, &WorldBasePanel::removeSound);
    soundList_ = new QComboBox;
    // Only a pick by the user opens the editor, not a refill.
    connect(soundList_, &QComboBox::activated, this, &WorldBasePanel::soundPicked);
    soundLayout->addWidget(add, 0, 0, 1, 2);
    soundLayout->addWidget(remove, 1, 0, 1, 2);
    soundLayout->addWidget(new QLabel("Sounds"), 2, 0);
    soundLayout->addWidget(soundList_, 2, 1);
    soundLayout->setColumnStretch(1, 1);

    auto* note = new QPlainTextEdit("Set your global effects and chat messages here");
    note->setReadOnly(true);
    note->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    note->setFixedHeight(60);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fogBox_, 0, 0);
    layout->addWidget(glareBox_, 1, 0);
    layout->addWidget(welcomeBox_, 2, 0);
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

void WorldBasePanel::setup()
{
    world_ = core::ObjectManager::getInstance().getWorld();
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
        Frame1::updateStatusPanel(*world_);
}

void WorldBasePanel::switchEffect(void (SceneEditor::*setSwitch)(core::World&, bool), bool on, QWidget* editor,
                                  const std::function<void()>& loadEditor)
{
    if (!world_)
        return;
    (SceneEditor::getInstance().*setSwitch)(*world_, on);
    if (EditingArea::farPanelAttachment() == editor)
        return;
    loadEditor();
    EditingArea::show(editor);
    Frame1::updateStatusPanel(*world_);
}

void WorldBasePanel::fogClicked(bool ticked)
{
    switchEffect(&SceneEditor::setFogEnabled, ticked, fogpanel_, [this] { fogpanel_->setup(); });
}

void WorldBasePanel::glareClicked(bool ticked)
{
    switchEffect(&SceneEditor::setGlareEnabled, ticked, glarePanel_, [this] { glarePanel_->setup(); });
}

void WorldBasePanel::welcomeClicked(bool ticked)
{
    switchEffect(&SceneEditor::setWelcomeEnabled, ticked, welcomePanel_, [this] { welcomePanel_->setup(); });
}

void WorldBasePanel::openSoundEditor(std::shared_ptr<core::script::Sounds> sound)
{
    soundpanel_->setup(this, std::move(sound));
    added_ = true;
    EditingArea::show(soundpanel_);
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
    SceneEditor::getInstance().removeSound(*world_, index);
    updateLists();
}

} // namespace scenewright::gui
