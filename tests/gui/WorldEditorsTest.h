#pragma once

#include "GuiTest.h"

#include "scenewright/core/World.h"
#include "scenewright/gui/WorldBasePanel.h"

#include <QListWidget>
#include <QPlainTextEdit>

namespace scenewright::test {

// A main window with a new project whose world is selected, its save
// state reset to saved so that each test sees what its edits mark.
class WorldEditorsTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        frame_->newProject();
        selectWorld();
        frame_->document()->setState(core::SceneDocument::STATE_SAVED);
    }

    void selectWorld()
    {
        auto* list = frame_->findChild<QListWidget*>("objectList");
        list->clearSelection();
        list->setCurrentRow(0);
    }

    core::World& world() const { return *document().world(); }
    gui::WorldBasePanel* worldPanel() const { return frame_->findChild<gui::WorldBasePanel*>(); }
    QString statusText() const { return frame_->findChild<QPlainTextEdit*>("statusText")->toPlainText(); }
    bool projectSaved() const { return frame_->document()->isSaved(); }
};

} // namespace scenewright::test
