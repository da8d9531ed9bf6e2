#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core {

class IMainFrame;
class IAtmoObject;
class Project;

// Owns the current project, builds the default project (a registry holding
// a fresh world and a fresh actor) and remembers the directories last used
// for saving projects and scripts, and keeps the link to the main window.
class ProjectManager {
public:
    static ProjectManager& getInstance();

    // The window is not owned; it unsets itself before it goes.
    void setMainFrame(IMainFrame* frame) { mainframe_ = frame; }
    void setLastDirectoryScriptSave(std::optional<std::string> dir) { lastDirectoryScriptSave_ = std::move(dir); }
    void setLastDirectoryProjectSave(std::optional<std::string> dir) { lastDirectoryProjectSave_ = std::move(dir); }
    void setCurrentProject(std::shared_ptr<Project> project) { currentProject_ = std::move(project); }
    // Reads the project file and makes its project current, rebuilding the
    // registry from it; an empty file opens as the default project. A file
    // that cannot be read or is refused changes nothing: the result is null
    // and `error` names the file and what is wrong.
    std::shared_ptr<Project> openProject(const std::string& path, std::string& error);
    // The current project's localised flag; false while there is no project.
    bool isCurrentLocalised() const;
    // Whether triggers are synchronised through shared objects; a choice of
    // the program, not of the project.
    void setSynchronise(bool synchronise) { synchronise_ = synchronise; }
    bool isSynchronised() const { return synchronise_; }
    IMainFrame* getMainFrame() const { return mainframe_; }
    const std::optional<std::string>& getLastDirectoryScriptSave() const { return lastDirectoryScriptSave_; }
    const std::optional<std::string>& getLastDirectoryProjectSave() const { return lastDirectoryProjectSave_; }
    const std::shared_ptr<Project>& getCurrentProject() const { return currentProject_; }
    // Clears the registry, fills it with a new world and actor, and makes a
    // new project named "default" current. The actor's move action takes
    // numbers: when none are left it throws IdsExhausted and changes nothing.
    std::shared_ptr<Project> createDefaultProject();
    // Makes a new project of that name current, its registry holding the
    // objects (world, actor, user objects), as a project file read earlier
    // gives them.
    std::shared_ptr<Project> install(std::string name, bool localiseScript,
                                     std::vector<std::shared_ptr<IAtmoObject>> objects);

    // The script re-indented, one statement a line, with "\r\n" line breaks.
    static std::string beautifyScript(std::string_view script);
    // The script as one line without the blanks and comments it does not need.
    static std::string compressScript(std::string_view script);

    // Drops the current project and the remembered directories. Only tests
    // use it.
    static void resetForTesting();

private:
    ProjectManager() = default;

    std::shared_ptr<Project> currentProject_;
    IMainFrame* mainframe_ = nullptr;
    std::optional<std::string> lastDirectoryProjectSave_;
    std::optional<std::string> lastDirectoryScriptSave_;
    bool synchronise_ = false;
};

} // namespace scenewright::core
