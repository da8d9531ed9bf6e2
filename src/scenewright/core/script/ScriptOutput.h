#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace scenewright::core::script {

// The text of a script as it is generated, handed on in blocks of about
// 64 KiB, so that a script of any length can go to a file without being held
// whole, and pieces are copied once into a block rather than into an ever
// growing text.
class ScriptOutput {
public:
    using Writer = std::function<void(std::string_view)>;

    explicit ScriptOutput(Writer write);
    // Collects the whole text in `text` instead.
    explicit ScriptOutput(std::string& text) : text_(&text) {}

    ScriptOutput(const ScriptOutput&) = delete;
    ScriptOutput& operator=(const ScriptOutput&) = delete;

    ScriptOutput& operator+=(std::string_view piece)
    {
        text_->append(piece);
        handOnFullBlock();
        return *this;
    }

    // The text being collected, for a fragment to append to directly; call
    // handOnFullBlock after appending.
    std::string& text() { return *text_; }
    // Hands on the block once it is full.
    void handOnFullBlock()
    {
        if (write_ && text_->size() >= kBlock)
            flush();
    }

    // Hands on the text not yet handed on.
    void flush();

private:
    static constexpr std::size_t kBlock = 65536;

    Writer write_;
    std::string block_;
    // The block, or the whole text being collected.
    std::string* text_ = &block_;
};

} // namespace scenewright::core::script
