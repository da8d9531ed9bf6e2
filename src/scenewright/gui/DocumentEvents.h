#pragma once

#include "scenewright/core/DocumentChange.h"

#include <QObject>

#include <memory>

namespace scenewright::core {
class IAtmoObject;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::gui {

// Tells the changes of the document the window shows as Qt signals, so each
// view connects once, follows every New and Open, and refreshes what
// changed.
class DocumentEvents : public QObject {
    Q_OBJECT
public:
    explicit DocumentEvents(QObject* parent = nullptr);
    ~DocumentEvents() override;

    // Follows the document from now on (none: nothing is shown).
    void setDocument(std::shared_ptr<core::SceneDocument> document);

signals:
    // Any change of what the scene holds: an edit, an undo or a redo.
    void sceneChanged(const core::DocumentChange& change);
    void objectAdded(const core::IAtmoObject* object, int index);
    void objectRemoved(const core::IAtmoObject* object, int index);
    void objectRenamed(const core::IAtmoObject* object);
    // A property of the object, or its whole set of triggers and actions.
    void objectChanged(const core::IAtmoObject* object);
    void interactionChanged(const core::IAtmoObject* object);
    void worldChanged();
    void flagsChanged();
    void savedStateChanged(bool saved);

private:
    void tell(const core::DocumentChange& change);

    std::shared_ptr<core::SceneDocument> document_;
    int listener_ = -1;
};

} // namespace scenewright::gui
