#pragma once

#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/IModelEditor.h"


#include <memory>

class QPlainTextEdit;

namespace scenewright::core {
class World;
}

namespace scenewright::gui {

// Edits the message the world prints in the chat window when a user enters.
class WelcomeMessagePanel : public EditorFrame, public IModelEditor {
    Q_OBJECT
public:
    void reloadFromModel() override
    {
        if (world_)
            setup();
    }
    explicit WelcomeMessagePanel(QWidget* parent = nullptr);

    // Shows the message of the world the registry holds now.
    void setup();

    QPlainTextEdit* messageArea() const { return messageArea_; }

public slots:
    // Stores the text as the world's message and closes.
    void saveAndClose();

private:
    std::shared_ptr<core::World> world_;
    QPlainTextEdit* messageArea_;
};

} // namespace scenewright::gui
