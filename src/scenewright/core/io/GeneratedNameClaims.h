#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core::io {

// The generated names the things of a project file claim, each at most
// once. A large project claims tens of thousands: the names are kept end to
// end in one text and found through a small open-addressing table, so
// claiming one allocates nothing of its own.
class GeneratedNameClaims {
public:
    // Makes room for about this many names.
    void reserve(std::size_t names);
    // Claims the name; false, with nothing changed, when it is claimed
    // already.
    bool claim(std::string_view name);

private:
    struct Slot {
        // Where the name starts in names_, plus one; 0 for a free slot.
        std::size_t start = 0;
        std::uint32_t hash = 0;
        std::uint32_t length = 0;
    };

    std::string_view nameAt(const Slot& slot) const { return {names_.data() + slot.start - 1, slot.length}; }
    // Builds the table again with `slots` slots, a power of two.
    void rehash(std::size_t slots);

    std::string names_;
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

} // namespace scenewright::core::io
