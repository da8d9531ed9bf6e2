#pragma once

#include <QFrame>

#include <memory>

class QDialog;
class QLabel;
class QLineEdit;

namespace scenewright::core {
class IAtmoObject;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::gui {

// Renames an object; a name of only blanks is refused.
class ObjectPropertiesPanel : public QFrame {
    Q_OBJECT
public:
    // The panel closes the dialog that hosts it.
    ObjectPropertiesPanel(std::shared_ptr<core::SceneDocument> document, std::shared_ptr<core::IAtmoObject> object,
                          QDialog* dialog);

    QLineEdit* nameField() const { return name_; }
    QLabel* errorLabel() const { return errorLabel_; }

public slots:
    void save();

private:
    std::shared_ptr<core::SceneDocument> document_;
    std::shared_ptr<core::IAtmoObject> object_;
    QDialog* dialog_;
    QLineEdit* name_;
    QLabel* errorLabel_;
};

} // namespace scenewright::gui
