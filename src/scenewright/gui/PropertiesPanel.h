#pragma once

#include <QFrame>

#include <memory>

class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QSlider;

namespace scenewright::core {
class IAtmoObject;
class SceneDocument;
struct PhysicalModel;
} // namespace scenewright::core

namespace scenewright::gui {

// The physical properties of a model or viewpoint object. The sliders and
// check boxes write at once; the three text fields are checked and written
// when the window closes.
class PropertiesPanel : public QFrame {
    Q_OBJECT
public:
    // The panel closes the dialog that hosts it.
    PropertiesPanel(std::shared_ptr<core::SceneDocument> document, std::shared_ptr<core::IAtmoObject> object,
                    QDialog* dialog);

    // Checks and writes inertia, friction and initial mass, in this order;
    // false, with the message shown, at the first value refused.
    bool onClose();

    QLineEdit* frictionField() const { return friction_; }
    QLineEdit* inertiaField() const { return inertia_; }
    QLineEdit* massField() const { return mass_; }
    QSlider* frictionSlider() const { return frictionSlider_; }
    QSlider* inertiaSlider() const { return inertiaSlider_; }
    QLabel* errorLabel() const { return errorLabel_; }

private:
    // Writes one changed value into the model; the moves of one slider
    // (named by `slider`) merge into one undo step.
    void write(double core::PhysicalModel::*field, double value, const char* slider = nullptr);
    void write(bool core::PhysicalModel::*field, bool value);
    // Checks one text field; false, with the message shown, when refused.
    bool check(const QLineEdit* text, double core::PhysicalModel::*field, bool (*accepts)(double),
               const QString& message);

    std::shared_ptr<core::SceneDocument> document_;
    std::shared_ptr<core::IAtmoObject> object_;
    // The model of the object; null for an object without one.
    core::PhysicalModel* model_;
    QDialog* dialog_;
    QLineEdit* friction_;
    QLineEdit* inertia_;
    QLineEdit* mass_;
    QSlider* frictionSlider_;
    QSlider* inertiaSlider_;
    QLabel* errorLabel_;
};

} // namespace scenewright::gui
