#pragma once

#include <QFrame>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;

namespace scenewright::app {
class MainWindow;
}

namespace scenewright::gui {

// Adds a new object of a chosen type to the scene; a primitive also needs
// the solid object it belongs to, by name or index.
class AddObjectPopup : public QFrame {
    Q_OBJECT
public:
    // The object is added through the main window; the panel closes the
    // dialog that hosts it.
    AddObjectPopup(app::MainWindow* frame, QDialog* dialog);

    QLineEdit* nameField() const { return name_; }
    QComboBox* typeBox() const { return type_; }
    QLineEdit* solidObjectField() const { return solidObject_; }
    QLabel* solidObjectLabel() const { return solidObjectLabel_; }
    QLabel* errorLabel() const { return errorLabel_; }

public slots:
    void ok();

private:
    void typeChosen(const QString& type);

    app::MainWindow* frame_;
    QDialog* dialog_;
    QLineEdit* name_;
    QComboBox* type_;
    QLabel* solidObjectLabel_;
    QLineEdit* solidObject_;
    QLabel* errorLabel_;
};

} // namespace scenewright::gui
