#include "scenewright/gui/DocumentEvents.h"

#include "scenewright/core/SceneDocument.h"

namespace scenewright::gui {

using Kind = core::DocumentChange::Kind;

DocumentEvents::DocumentEvents(QObject* parent) : QObject(parent) {}

DocumentEvents::~DocumentEvents()
{
    setDocument(nullptr);
}

void DocumentEvents::setDocument(std::shared_ptr<core::SceneDocument> document)
{
    if (document_)
        document_->removeChangeListener(listener_);
    document_ = std::move(document);
    if (document_)
        listener_ = document_->addChangeListener([this](const core::DocumentChange& change) { tell(change); });
}

void DocumentEvents::tell(const core::DocumentChange& change)
{
    if (change.changesScene())
        emit sceneChanged(change);
    switch (change.kind) {
    case Kind::ObjectAdded: emit objectAdded(change.object, change.index); break;
    case Kind::ObjectRemoved: emit objectRemoved(change.object, change.index); break;
    case Kind::ObjectRenamed: emit objectRenamed(change.object); break;
    case Kind::ObjectChanged: emit objectChanged(change.object); break;
    case Kind::InteractionChanged: emit interactionChanged(change.object); break;
    case Kind::WorldChanged: emit worldChanged(); break;
    case Kind::FlagsChanged: emit flagsChanged(); break;
    case Kind::SavedStateChanged: emit savedStateChanged(document_->isSaved()); break;
    }
}

} // namespace scenewright::gui
