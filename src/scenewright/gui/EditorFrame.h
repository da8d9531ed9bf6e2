#pragma once

#include <QFrame>

class QGridLayout;
class QLabel;
class QPushButton;

namespace scenewright::gui {

class FittingScrollArea;
class FlowLayout;

// An editor of the far panel or of a dialog. Its fields sit in a body that
// scrolls when the editor has less room than they take; below the body,
// always in sight, come the error label and the buttons that save or
// close, which start a new row where the width runs out.
class EditorFrame : public QFrame {
    Q_OBJECT
public:
    // Empty until something is refused.
    QLabel* errorLabel() const { return errorLabel_; }

protected:
    explicit EditorFrame(QWidget* parent = nullptr, Qt::Alignment buttonAlignment = Qt::AlignLeft);

    // The grid of the body, where the editor puts its fields.
    QGridLayout* body() const { return body_; }
    // A new button at the end of the row below the body.
    QPushButton* addButton(const QString& text);
    // Shows the body from its top, as a newly loaded editor should.
    void scrollToTop();

private:
    FittingScrollArea* scroll_;
    QGridLayout* body_;
    QLabel* errorLabel_;
    FlowLayout* buttons_;
};

} // namespace scenewright::gui
