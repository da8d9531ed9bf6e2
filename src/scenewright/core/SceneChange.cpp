#include "scenewright/core/SceneChange.h"

#include <memory>
#include <utility>

namespace scenewright::core {

SceneChange::SceneChange(std::string text, Apply undo, Apply redo, std::string mergeKey)
    : text_(std::move(text)), undo_(std::move(undo)), redo_(std::move(redo)), mergeKey_(std::move(mergeKey))
{
}

SceneChange SceneChange::group(std::string text, std::vector<SceneChange> changes)
{
    std::vector<DocumentChange> touched;
    for (const SceneChange& change : changes)
        touched.insert(touched.end(), change.touched().begin(), change.touched().end());
    auto parts = std::make_shared<const std::vector<SceneChange>>(std::move(changes));
    SceneChange grouped(
        std::move(text),
        [parts] {
            for (auto part = parts->rbegin(); part != parts->rend(); ++part)
                part->undo();
        },
        [parts] {
            for (const SceneChange& part : *parts)
                part.redo();
        });
    grouped.setTouched(std::move(touched));
    return grouped;
}

bool SceneChange::mergeWith(const SceneChange& later)
{
    if (mergeKey_.empty() || mergeKey_ != later.mergeKey_)
        return false;
    redo_ = later.redo_;
    return true;
}

} // namespace scenewright::core
