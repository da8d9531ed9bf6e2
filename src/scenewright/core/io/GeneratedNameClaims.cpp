#include "scenewright/core/io/GeneratedNameClaims.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace scenewright::core::io {

void GeneratedNameClaims::reserve(std::size_t names)
{
    // Half full at most, as claim keeps it.
    const std::size_t slots = std::bit_ceil(std::max<std::size_t>(16, 2 * names));
    if (slots > slots_.size())
        rehash(slots);
    // Names run to about sixteen characters ("synchtrigger1234").
    names_.reserve(16 * names);
}

bool GeneratedNameClaims::claim(std::string_view name)
{
    if (2 * (count_ + 1) > slots_.size())
        rehash(std::max<std::size_t>(16, 2 * slots_.size()));
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>()(name));
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.start == 0) {
            // A generated name is a prefix and a number: short.
            slot = {names_.size() + 1, hash, static_cast<std::uint32_t>(name.size())};
            names_.append(name);
            ++count_;
            return true;
        }
        if (slot.hash == hash && nameAt(slot) == name)
            return false;
    }
}

void GeneratedNameClaims::rehash(std::size_t slots)
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slots, Slot());
    const std::size_t mask = slots - 1;
    for (const Slot& slot : old) {
        if (slot.start == 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].start != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

} // namespace scenewright::core::io
