#pragma once

#include "scenewright/core/action/FieldTable.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core {
class IdCounter;
}

namespace scenewright::core::action {

// What every trigger and action has: a name, a description, an active flag
// (only active interactions produce script) and access to the concrete
// class's fields by their exact names.
class AtmoInteraction {
public:
    // An interaction's name and description.
    struct Texts {
        std::optional<std::string> name;
        std::optional<std::string> description;
    };

    virtual ~AtmoInteraction() = default;

    // The class name, as in "ProximityTrigger".
    virtual const char* className() const = 0;
    // The named-field table of the concrete class; a new interaction takes
    // its fields' defaults from it.
    virtual const FieldTable& fieldTable() const = 0;

    // The numbers of the id counter this interaction took when built, in the
    // order it took them; they fix its generated names.
    std::vector<int> numbers() const { return {ids_.begin(), ids_.begin() + idCount_}; }
    // Gives the interaction these numbers (as many as numbers returns); false,
    // with nothing changed, when the count does not fit.
    bool setNumbers(const std::vector<int>& ids);
    // Takes new numbers from the counter, as a new interaction would.
    void takeFreshIds(IdCounter& ids);
    // The generated names the numbers fix, in the order of the numbers; no
    // two things in a scene may claim the same one.
    virtual std::vector<std::string> generatedNames() const { return {}; }

    virtual std::string toString() const;

    // The field of that name in the class's table; null (and reported) for
    // an unknown field.
    const FieldTable::Field* field(std::string_view name) const;

    // Null when the text is acceptable for the field, else the message.
    std::optional<std::string> verifyField(std::string_view field, std::string_view value) const;

    void setName(std::optional<std::string> name) { ownTexts().name = std::move(name); }
    void setDescription(std::optional<std::string> description) { ownTexts().description = std::move(description); }
    void setActive(bool active) { active_ = active; }

    // Stores a boolean field; an unknown field is reported and nothing changes.
    void set(std::string_view field, bool value);
    // Stores a field from its text: ints and doubles are parsed (a text that
    // does not parse throws std::invalid_argument; run verifyField first),
    // strings are stored as they are. An unknown field is reported and nothing
    // changes.
    void set(std::string_view field, std::string_view value);
    // The same for a literal text, which would otherwise convert to bool and
    // reach the boolean setter: set("continuous", "false") would store true.
    void set(std::string_view field, const char* value) { set(field, std::string_view(value)); }
    // Stores a value of the field's own type; false (and reported) for an
    // unknown field or a value of another type.
    bool setValue(std::string_view field, const FieldValue& value);

    void loadFromSaveString(std::string_view) {}
    // The field's type; empty (and reported) for an unknown field.
    std::optional<FieldType> getType(std::string_view field) const;
    std::string getSaveString() const;

    const std::optional<std::string>& getName() const { return texts_->name; }
    const std::optional<std::string>& getDescription() const { return texts_->description; }
    bool getActive() const { return active_; }
    // The field's value; std::monostate (and reported) for an unknown field.
    FieldValue get(std::string_view field) const;

protected:
    // An interaction without generated names.
    AtmoInteraction() = default;
    // Takes `idCount` numbers from `ids`, in order.
    AtmoInteraction(IdCounter& ids, int idCount);
    AtmoInteraction(const AtmoInteraction& other);
    AtmoInteraction& operator=(const AtmoInteraction& other);

    // Gives the interaction its kind's texts, which every interaction of the
    // kind shares (they must outlive it) until a text is set on it.
    void useKindTexts(const Texts& texts);

    int id(std::size_t index) const { return ids_[index]; }

    // The most numbers an interaction takes.
    static constexpr int kMaxNumbers = 2;

private:
    // The numbers and the active flag, which generation reads for every
    // interaction, come first and are held in the object itself, so that
    // reading them takes one fetch from memory rather than several.
    bool active_ = false;
    std::uint8_t idCount_ = 0;
    std::array<int, kMaxNumbers> ids_{};
    // The texts are the kind's, shared, until one is set on this
    // interaction: a large scene then holds its kinds' long descriptions
    // once rather than once per interaction, which keeps what generation
    // walks through small.
    Texts& ownTexts();
    static const Texts kNoTexts;
    const Texts* texts_ = &kNoTexts;
    std::unique_ptr<Texts> ownTexts_;
};

} // namespace scenewright::core::action
