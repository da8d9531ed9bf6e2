#pragma once

#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/IActionPanel.h"
#include "scenewright/gui/IModelEditor.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace scenewright::core::action {
class AnimateTextureAction;
}

namespace scenewright::gui {

// Edits a texture animation: the list of texture addresses to cycle (kept in
// the editor until saved), the timing, and which faces to animate, chosen by
// face numbers or by their current texture.
class AnimateTexturePanel : public EditorFrame, public IActionPanel, public IModelEditor {
    Q_OBJECT
public:
    void reloadFromModel() override;
    AnimateTexturePanel();

    // Loads a texture animation; another kind of action leaves the editor empty.
    void setAction(std::shared_ptr<core::action::AtmoAction> action) override;

    const QStringList& textureData() const { return data_; }
    QLineEdit* urlField() const { return url_; }
    QListWidget* textureList() const { return textureList_; }
    QLineEdit* delayField() const { return delay_; }
    QLineEdit* revolutionsField() const { return revolutions_; }
    QLineEdit* primitiveNameField() const { return primitiveName_; }
    QLineEdit* findFacesField() const { return findFaces_; }
    QLineEdit* findTextureUrlField() const { return findTextureUrl_; }

public slots:
    void addTexture();
    void removeSelectedTexture();
    void saveAndClose();
    void closeEditor();

private:
    void showTextures();
    // The face numbers of the text, split at commas and blanks; none when a
    // token is not a whole number or there is no number at all.
    static std::optional<std::vector<int>> faceNumbers(const QString& text);

    std::shared_ptr<core::action::AnimateTextureAction> action_;
    QStringList data_;

    QLabel* description_;
    QLineEdit* url_;
    QListWidget* textureList_;
    QLineEdit* delay_;
    QLineEdit* revolutions_;
    QLineEdit* primitiveName_;
    QLineEdit* findFaces_;
    QLineEdit* findTextureUrl_;
};

} // namespace scenewright::gui
