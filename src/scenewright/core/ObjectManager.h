#pragma once

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/IdCounter.h"

#include <memory>
#include <string>
#include <vector>

namespace scenewright::core {

class Actor;
class World;

// The registry of the current project's scene objects, in order (the world
// first, the actor second, then the user's objects), and the place where the
// whole script of the world is assembled. Also hands out the numbers of
// generated variable names.
class ObjectManager {
public:
    using ObjectPtr = std::shared_ptr<IAtmoObject>;

    // Script identifiers shared by declarations and fragments.
    static constexpr const char* stageName = "theStage";
    static constexpr const char* transformName = "worldSpaceTransform";
    static constexpr const char* positionName = "worldSpacePosition";

    // The largest number the counter hands out.
    static constexpr int kLastId = IdCounter::kLastId;

    static ObjectManager& getInstance();
    // The shared counter's current value; the counter then moves on. It is
    // never moved back and hands out no number twice: once kLastId is
    // handed out, it throws IdsExhausted.
    static int nextid();
    // The value nextid would hand out next (kLastId + 1 once none is left).
    static int peekNextId();
    // Whether nextid can still hand out `count` numbers.
    static bool hasIdsLeft(long long count);
    // Moves the counter so that it hands out nothing below `id` (never back).
    static void advanceNextIdTo(int id);
    // The counter itself.
    static IdCounter& ids() { return ids_; }

    // While one lives, nextid hands out kPlaceholderId and leaves the
    // counter alone: the project reader makes interactions this way and then
    // gives each the numbers its file names, or fresh ones.
    class Placeholders {
    public:
        Placeholders() { ++placeholderScopes_; }
        ~Placeholders() { --placeholderScopes_; }
        Placeholders(const Placeholders&) = delete;
        Placeholders& operator=(const Placeholders&) = delete;
    };
    static constexpr int kPlaceholderId = -1;

    // Removes the object and every reference other triggers hold to its
    // actions. The world and the actor (positions 0 and 1) stay.
    void removeAtmoObject(int index);
    std::shared_ptr<World> getWorld() const;
    const std::vector<ObjectPtr>& getAtmoObjectListData() const { return list_; }
    const ObjectPtr& getAtmoObject(int index) const { return list_.at(index); }
    int getAtmoObjectSize() const { return static_cast<int>(list_.size()); }
    std::shared_ptr<Actor> getActor() const;
    // The whole script of the world, as the current project and the
    // synchronisation switch choose it. Objects without a number take one
    // first; when too few are left it throws IdsExhausted.
    std::string generateAtmoScript() const;
    void clearObjects() { list_.clear(); }
    void addAtmoObject(ObjectPtr object) { list_.push_back(std::move(object)); }
    // Puts the object at the position; later elements move down by one.
    void insertAtmoObject(int index, ObjectPtr object) { list_.insert(list_.begin() + index, std::move(object)); }

    // Empties the registry and restarts the counter at 0. Only tests use it,
    // so that each can start from a fresh program state.
    static void resetForTesting();

private:
    ObjectManager();

    std::vector<ObjectPtr> list_;
    static IdCounter ids_;
    static int placeholderScopes_;
};

} // namespace scenewright::core
