#pragma once

#include <QFrame>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;

namespace scenewright::gui {

// Adds a new object of a chosen type to the scene; a primitive also needs
// the solid object it belongs to, by name or index.
class AddObjectPopup : public QFrame {
    Q_OBJECT
public:
    // Cancel closes the dialog that hosts the panel; Ok, once the fields are
    // filled in, asks for the object through addRequested.
    explicit AddObjectPopup(QDialog* dialog);

    QLineEdit* nameField() const { return name_; }
    QComboBox* typeBox() const { return type_; }
    QLineEdit* solidObjectField() const { return solidObject_; }
    QLabel* solidObjectLabel() const { return solidObjectLabel_; }
    QLabel* errorLabel() const { return errorLabel_; }

signals:
    // The object asked for; `solidObject` is the trimmed solid object index
    // or name of a primitive, empty for other kinds.
    void addRequested(const QString& name, const QString& type, const QString& solidObject);

public slots:
    void ok();

private:
    void typeChosen(const QString& type);

    QDialog* dialog_;
    QLineEdit* name_;
    QComboBox* type_;
    QLabel* solidObjectLabel_;
    QLineEdit* solidObject_;
    QLabel* errorLabel_;
};

} // namespace scenewright::gui
