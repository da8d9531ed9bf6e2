#include "scenewright/core/script/CompressedScript.h"

#include "scenewright/core/script/ScriptFormatter.h"

#include <algorithm>

namespace scenewright::core::script {

namespace {

// Keeps the comments and counts the empty lines compressing drops.
class DroppedPieces : public ScriptFormatter::CompressionWatcher {
public:
    DroppedPieces(std::string_view script, std::vector<CompressedScript::Comment>& comments,
                  std::vector<std::pair<std::size_t, int>>& emptyLines)
        : script_(script), comments_(comments), emptyLines_(emptyLines)
    {
    }

    void kept(std::size_t at, std::size_t, std::size_t) override
    {
        place(at);
        if (empty_ > 0)
            emptyLines_.emplace_back(at, empty_);
        empty_ = 0;
        lineHasContent_ = true;
    }

    void dropped(std::size_t at, std::size_t begin, std::size_t end) override
    {
        if (script_[begin] == '\n') {
            if (!lineHasContent_)
                ++empty_;
            lineHasContent_ = false;
            return;
        }
        // The place is that of the next token, after any ";" or blank
        // compressing writes before it.
        comments_.push_back({at, script_.substr(begin, end - begin), empty_});
        ++unplaced_;
        empty_ = 0;
        lineHasContent_ = true;
    }

    // Empty lines after the last token or comment.
    void finish(std::size_t end)
    {
        place(end);
        if (empty_ > 0)
            emptyLines_.emplace_back(end, empty_);
    }

private:
    void place(std::size_t at)
    {
        for (std::size_t k = comments_.size() - unplaced_; k < comments_.size(); ++k)
            comments_[k].at = at;
        unplaced_ = 0;
    }

    std::string_view script_;
    std::vector<CompressedScript::Comment>& comments_;
    std::size_t unplaced_ = 0;
    std::vector<std::pair<std::size_t, int>>& emptyLines_;
    int empty_ = 0;
    bool lineHasContent_ = false;
};

// Finds the script byte a place of the compressed text comes from.
class PlaceFinder : public ScriptFormatter::CompressionWatcher {
public:
    explicit PlaceFinder(std::size_t at) : at_(at) {}

    void kept(std::size_t at, std::size_t begin, std::size_t end) override
    {
        if (found_)
            return;
        // A place before this token is a blank or ";" compressing wrote.
        if (at_ < at + (end - begin)) {
            offset_ = begin + (at_ > at ? at_ - at : 0);
            found_ = true;
        }
    }
    void dropped(std::size_t, std::size_t, std::size_t) override {}

    bool found() const { return found_; }
    std::size_t offset() const { return offset_; }

private:
    std::size_t at_;
    bool found_ = false;
    std::size_t offset_ = 0;
};

} // namespace

CompressedScript::CompressedScript(std::string_view script) : script_(script)
{
    DroppedPieces pieces(script, comments_, emptyLines_);
    text_ = ScriptFormatter::compress(script, pieces);
    pieces.finish(text_.size());
}

std::vector<CompressedScript::Comment> CompressedScript::commentsAt(std::size_t at) const
{
    auto first = std::lower_bound(comments_.begin(), comments_.end(), at,
                                  [](const Comment& comment, std::size_t place) { return comment.at < place; });
    std::vector<Comment> found;
    for (auto it = first; it != comments_.end() && it->at == at; ++it)
        found.push_back(*it);
    return found;
}

int CompressedScript::emptyLinesBefore(std::size_t at) const
{
    auto found = std::lower_bound(emptyLines_.begin(), emptyLines_.end(), at,
                                  [](const auto& entry, std::size_t place) { return entry.first < place; });
    return found != emptyLines_.end() && found->first == at ? found->second : 0;
}

std::map<std::size_t, int> CompressedScript::emptyLinesByPlace() const
{
    std::map<std::size_t, int> byPlace(emptyLines_.begin(), emptyLines_.end());
    for (const Comment& comment : comments_)
        if (comment.emptyLinesBefore > 0)
            byPlace[comment.at] += comment.emptyLinesBefore;
    return byPlace;
}

bool CompressedScript::keepsCommentsOf(const CompressedScript& other) const
{
    // Re-indenting may take the blanks a line comment ends with.
    const auto trimmed = [](std::string_view comment) {
        while (!comment.empty() && (comment.back() == ' ' || comment.back() == '\t'))
            comment.remove_suffix(1);
        return comment;
    };
    auto mine = comments_.begin();
    for (const Comment& theirs : other.comments_) {
        while (mine != comments_.end()
               && (mine->at < theirs.at || (mine->at == theirs.at && trimmed(mine->text) != trimmed(theirs.text))))
            ++mine;
        if (mine == comments_.end() || mine->at != theirs.at)
            return false;
        ++mine;
    }
    return true;
}

std::size_t CompressedScript::scriptOffset(std::size_t at) const
{
    PlaceFinder finder(at);
    ScriptFormatter::compress(script_, finder);
    return finder.found() ? finder.offset() : script_.size();
}

} // namespace scenewright::core::script
