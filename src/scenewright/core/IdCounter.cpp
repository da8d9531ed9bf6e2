#include "scenewright/core/IdCounter.h"

#include "scenewright/core/IdsExhausted.h"

#include <algorithm>

namespace scenewright::core {

int IdCounter::next()
{
    // Only a project file using the very largest numbers brings the counter
    // here; handing out a number again would give two things one name.
    if (next_ > kLastId)
        throw IdsExhausted();
    return next_++;
}

bool IdCounter::hasLeft(long long count) const
{
    return count <= static_cast<long long>(kLastId) + 1 - next_;
}

void IdCounter::advanceTo(int id)
{
    next_ = std::max(next_, id);
}

void IdCounter::passCatalogueNumbers()
{
    if (cataloguePassed_)
        return;
    cataloguePassed_ = true;
    // The catalogue took what was left, one number after another.
    next_ = static_cast<int>(
        std::min<long long>(static_cast<long long>(next_) + kCatalogueNumbers, static_cast<long long>(kLastId) + 1));
}

} // namespace scenewright::core
