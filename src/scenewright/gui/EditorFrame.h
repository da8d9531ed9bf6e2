#pragma once

#include <QFrame>

#include <memory>

class QGridLayout;
class QLabel;
class QPushButton;

namespace scenewright::core {
class SceneDocument;
}

namespace scenewright::gui {

class FittingScrollArea;
class FlowLayout;

// An editor of the far panel or of a dialog. Its fields sit in a body that
// scrolls when the editor has less room than they take; below the body,
// always in sight, come the error label and the buttons that save or
// close, which start a new row where the width runs out. The editor writes
// into the document it is given; when it is done it asks to be closed, and
// whatever shows it closes it.
class EditorFrame : public QFrame {
    Q_OBJECT
public:
    // Empty until something is refused.
    QLabel* errorLabel() const { return errorLabel_; }
    // The document the editor writes into.
    void setDocument(std::shared_ptr<core::SceneDocument> document) { document_ = std::move(document); }
    const std::shared_ptr<core::SceneDocument>& document() const { return document_; }

signals:
    // The editor is done (saved, or cancelled).
    void closeRequested();

protected:
    explicit EditorFrame(QWidget* parent = nullptr, Qt::Alignment buttonAlignment = Qt::AlignLeft);

    // The grid of the body, where the editor puts its fields.
    QGridLayout* body() const { return body_; }
    // A new button at the end of the row below the body.
    QPushButton* addButton(const QString& text);
    // Shows the body from its top, as a newly loaded editor should.
    void scrollToTop();

private:
    std::shared_ptr<core::SceneDocument> document_;
    FittingScrollArea* scroll_;
    QGridLayout* body_;
    QLabel* errorLabel_;
    FlowLayout* buttons_;
};

} // namespace scenewright::gui
