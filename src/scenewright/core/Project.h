#pragma once

#include <optional>
#include <string>

namespace scenewright::core {

class ISaveStateLabel;

// The unit the user creates, saves and opens: a name, a file location, a
// save state and whether the script is localised to one object.
class Project {
public:
    static constexpr int STATE_SAVED = 0;
    static constexpr int STATE_UNSAVED = 1;
    static constexpr int STATE_NEW = 2;
    static constexpr const char* suffix = ".scw";

    // The label is not owned; it must outlive the project or be unset first.
    void setUpdateLabel(ISaveStateLabel* label) { updatelbl_ = label; }
    // Shows the state on the label (black when saved, red otherwise) and
    // stores it.
    void setState(int state);
    void setName(std::string name) { name_ = std::move(name); }
    void setLocaliseScript(bool localise) { localiseScript_ = localise; }
    void setFileLocation(std::optional<std::string> location) { filelocation_ = std::move(location); }
    // Writes the project to its file location. On success the project is
    // saved; on failure it keeps its state and the message (naming the path
    // and the reason) is returned.
    std::optional<std::string> save();
    bool isSaved() const { return state_ == STATE_SAVED; }
    int getState() const { return state_; }
    const std::string& getName() const { return name_; }
    bool getLocaliseScript() const { return localiseScript_; }
    const std::optional<std::string>& getFileLocation() const { return filelocation_; }

private:
    std::string name_;
    std::optional<std::string> filelocation_;
    int state_ = STATE_SAVED;
    ISaveStateLabel* updatelbl_ = nullptr;
    bool localiseScript_ = false;
};

} // namespace scenewright::core
