#pragma once

#include <string>
#include <utility>

namespace scenewright::core::io {

// A project file's content, taken from the scene where the scene is edited
// and handed on, to be written to disk on any thread.
class ProjectDocument {
public:
    ProjectDocument() = default;

    // Indented JSON ending with a line feed; the same scene always gives the
    // same bytes. Empty for a document that holds nothing.
    const std::string& text() const { return text_; }

private:
    friend class ProjectFileWriter;
    explicit ProjectDocument(std::string text) : text_(std::move(text)) {}

    std::string text_;
};

} // namespace scenewright::core::io
