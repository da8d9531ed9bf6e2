#pragma once

#include "scenewright/gui/FogPanel.h"
#include "scenewright/gui/GlarePanel.h"
#include "scenewright/gui/IListUpdate.h"
#include "scenewright/gui/SoundPanel.h"
#include "scenewright/gui/WelcomeMessagePanel.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;

namespace scenewright::core {
class SceneDocument;
class World;
} // namespace scenewright::core

namespace scenewright::gui {

// The world's host panel: switches fog, glare and the welcome message on
// and off, opens their editors in the far panel (also without a change of
// the switch, by the "Edit" button beside each or a double-click on its
// caption), and keeps the list of the world's sounds (add, edit, remove).
// It asks for its editors to be shown through editorRequested.
class WorldBasePanel : public QWidget, public IListUpdate {
    Q_OBJECT
public:
    explicit WorldBasePanel(QWidget* parent = nullptr);
    ~WorldBasePanel() override;

    // Binds the panel and its editors to the document's world (each New or
    // Open makes a new one) and shows its switches and sounds.
    void setup(std::shared_ptr<core::SceneDocument> document);
    // Refills the sound list from the world, the first sound selected, and
    // asks for the status text to be shown again.
    void updateLists() override;

    const std::shared_ptr<core::World>& world() const { return world_; }
    // Whether a sound editor was opened since the list was last refilled;
    // "Remove Sound" does nothing meanwhile.
    bool soundEditorOpened() const { return added_; }

    QCheckBox* fogBox() const { return fogBox_; }
    QCheckBox* glareBox() const { return glareBox_; }
    QCheckBox* welcomeBox() const { return welcomeBox_; }
    QComboBox* soundList() const { return soundList_; }
    FogPanel* fogPanel() const { return fogpanel_; }
    GlarePanel* glarePanel() const { return glarePanel_; }
    WelcomeMessagePanel* welcomePanel() const { return welcomePanel_; }
    SoundPanel* soundPanel() const { return soundpanel_; }

signals:
    // The editor is to be shown alone in the far panel.
    void editorRequested(QWidget* editor);
    // The world's status text is to be shown again.
    void statusOutdated();

public slots:
    void fogClicked(bool ticked);
    void glareClicked(bool ticked);
    void welcomeClicked(bool ticked);
    // Opens the sound editor on a new sound, not yet part of the world.
    void addSound();
    // Removes the selected sound, unless a sound editor was opened since the
    // list was last refilled.
    void removeSound();
    // Opens the sound editor on the sound picked in the list.
    void soundPicked(int index);

private:
    // The switch of one effect on the row: a click runs `onClick`, "Edit"
    // only opens the editor.
    QCheckBox* addSwitch(int row, const QString& caption, void (WorldBasePanel::*onClick)(bool), QWidget* editor,
                         std::function<void()> loadEditor);
    // Sets the world's switch and opens the effect's editor.
    void switchEffect(void (core::SceneDocument::*setSwitch)(core::World&, bool), bool on, QWidget* editor,
                      const std::function<void()>& loadEditor);
    // Unless the editor is on show already, loads it and asks for it to be
    // shown.
    void openEffectEditor(QWidget* editor, const std::function<void()>& loadEditor);
    void openSoundEditor(std::shared_ptr<core::script::Sounds> sound);

    std::shared_ptr<core::SceneDocument> document_;
    std::shared_ptr<core::World> world_;
    bool added_ = false;

    QCheckBox* fogBox_;
    QCheckBox* glareBox_;
    QCheckBox* welcomeBox_;
    QComboBox* soundList_;
    // The editors move to the far panel when shown; they stay this panel's.
    QPointer<SoundPanel> soundpanel_;
    QPointer<FogPanel> fogpanel_;
    QPointer<GlarePanel> glarePanel_;
    QPointer<WelcomeMessagePanel> welcomePanel_;
};

} // namespace scenewright::gui
