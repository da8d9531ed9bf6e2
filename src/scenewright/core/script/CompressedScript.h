#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core::script {

// A script in its compressed form, which is the same for every layout of the
// same script (plain, beautified, re-indented, compressed), with what
// compressing drops kept aside: the comments, and the empty lines, each at
// the place of the compressed text where it stood. Places in the compressed
// text lead back to places in the script.
class CompressedScript {
public:
    struct Comment {
        // The place in the compressed text the comment stood before.
        std::size_t at;
        // "//..." or "/*...*/", as the script has it.
        std::string_view text;
        // Empty lines between the previous token or comment and this one.
        int emptyLinesBefore;
    };

    explicit CompressedScript(std::string_view script);

    const std::string& text() const { return text_; }
    // The comments that stood before the place, in order.
    std::vector<Comment> commentsAt(std::size_t at) const;
    // Empty lines between the token at the place and the token or comment
    // before it (at the end of the text: after the last one).
    int emptyLinesBefore(std::size_t at) const;
    // The empty lines before each place of the compressed text, those
    // before comments there counted in: alike for scripts that differ only
    // in comments and indentation.
    std::map<std::size_t, int> emptyLinesByPlace() const;
    // Whether the script has the other's comments, each at the same place
    // (among comments of its own), as re-indenting and adding comments
    // keep them.
    bool keepsCommentsOf(const CompressedScript& other) const;
    // The offset in the script of the byte that the place of the compressed
    // text comes from (the script's end for the end of the text).
    std::size_t scriptOffset(std::size_t at) const;

private:
    std::string_view script_;
    std::string text_;
    std::vector<Comment> comments_;
    // Places of the compressed text with empty lines before them.
    std::vector<std::pair<std::size_t, int>> emptyLines_;
};

} // namespace scenewright::core::script
