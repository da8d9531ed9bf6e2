#pragma once

#include <memory>
#include <string>

namespace scenewright::core::io {

// A project file's content, built from the scene but not yet turned into
// text. Building it reads the scene, so it happens where the scene is edited;
// the text can be made, and the document let go, on any thread.
class ProjectDocument {
public:
    ProjectDocument();
    ProjectDocument(ProjectDocument&& other) noexcept;
    ProjectDocument& operator=(ProjectDocument&& other) noexcept;
    ~ProjectDocument();

    // Indented JSON ending with a line feed; the same document always gives
    // the same bytes.
    std::string text() const;

private:
    friend class ProjectFileWriter;
    struct Tree;
    explicit ProjectDocument(std::unique_ptr<Tree> tree);

    std::unique_ptr<Tree> tree_;
};

} // namespace scenewright::core::io
