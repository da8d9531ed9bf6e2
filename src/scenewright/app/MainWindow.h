#pragma once

#include "scenewright/app/ProgramChoices.h"
#include "scenewright/gui/InteractionEditors.h"
#include "scenewright/gui/RecentProjects.h"
#include "scenewright/gui/ScriptPanel.h"

#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QDialog;
class QDockWidget;
class QGridLayout;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;

namespace scenewright::core {
class AtmoObject;
class IAtmoObject;
class IdCounter;
class SceneDocument;
namespace io {
class RecoveredWork;
}
} // namespace scenewright::core

namespace scenewright::gui {
class ActorBasePanel;
class AtmoTriggerBasePanel;
class DocumentEvents;
class ObjectClickBasePanel;
class RecoveryKeeper;
class SaveStateLabel;
class SceneUndoStack;
class ScriptPreview;
class StandardDialogs;
class WorldBasePanel;
} // namespace scenewright::gui

namespace scenewright::app {

// The main window: the project commands, the list of the project's scene
// objects, the middle area that hosts the selected object's panels, the far
// panel in which editors open, and the status bar that shows what the
// selected object adds to the script. It shows one document at a time;
// whether triggers are synchronised is the program's choice (ProgramChoices)
// and outlives the documents.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `recoveryDirectory` is where unsaved work is kept while the program
    // runs; the dialogs, the program's id counter and its choices are not
    // owned.
    MainWindow(gui::StandardDialogs& dialogs, const QString& recoveryDirectory, core::IdCounter& ids,
               ProgramChoices& choices);
    ~MainWindow() override;

    // Shows the document as the open one: its name on the label, its objects
    // in the list, the project commands enabled.
    void setProject(const core::SceneDocument& document);
    // Shows the document as the open one, with an empty history, as New
    // and Open do.
    void showNewProject(const std::shared_ptr<core::SceneDocument>& document);
    // Adds an editor as the far panel's last row, after removing the rows
    // there when `clear` is set.
    void setFarPanel(QWidget* panel, bool clear);
    // The far panel's first row; null when it is empty.
    QWidget* getFarPanelAttachment() const;
    // Adds a host panel of the selected object as the middle area's last row.
    void addMiddleAreaRow(QWidget* panel);
    int middleAreaRowCount() const;
    // Shows what the object adds to the script, while the status bar is on.
    void updateStatusPanel(const core::IAtmoObject& object);
    // A new scene object of the type, appended to the project; the list's
    // selection stays where it was. A solid object index or name given is
    // set on a primitive in the same undo step.
    std::shared_ptr<core::AtmoObject> addObject(const QString& name, const QString& type,
                                                const std::optional<QString>& solidObject = std::nullopt);
    // Offers, newest first, to reopen the work that programs no longer
    // running left unsaved, until one is reopened; each work answered is
    // forgotten. Unreadable work is reported and set aside.
    void offerRecovery();
    // Opens the project file given on the command line, unless reopened
    // unsaved work is on show, which it would drop; the user is told then.
    void openStartProject(const QString& path);
    // Where File > Open Example looks for the sample worlds.
    void setExamplesDirectory(const QString& directory) { examplesDirectory_ = directory; }

    // The document shown; null before the first New or Open.
    const std::shared_ptr<core::SceneDocument>& document() const { return document_; }
    // Whether triggers are synchronised through shared objects.
    bool synchronise() const { return choices_.synchronise(); }
    // What the script view and the test run script.
    gui::ScriptPanel::Source scriptSource();
    // The file the last script was saved to.
    const std::optional<std::string>& lastScriptFile() const { return lastScriptFile_; }
    // The folder of the last project opened or saved.
    const std::optional<std::string>& lastProjectDirectory() const { return lastProjectDirectory_; }
    // Its document's changes as Qt signals; it follows every New and Open.
    gui::DocumentEvents* documentEvents() const { return events_; }
    const std::shared_ptr<core::IAtmoObject>& selectedObject() const { return selectedObject_; }
    // Every change of the scene, for undo and redo; cleared by New, Open and Close.
    gui::SceneUndoStack* undoStack() const { return undoStack_; }
    // Keeps unsaved work in this program's recovery file.
    gui::RecoveryKeeper* recoveryKeeper() const { return recoveryKeeper_; }

public slots:
    void newProject();
    void openProject();
    void closeProject();
    void saveProject();
    void saveProjectAs();
    // Ends the program with status 0, keeping unsaved work in the recovery
    // file for the next start.
    void exitProgram();
    void removeObject();
    // Undo or redo one step of the scene's changes, then show the scene as
    // it is now.
    void undo();
    void redo();
    void openScriptView();
    // Opens a test run of the project's script against a simulated world.
    void openTestRun();
    void showAboutDialog();
    // The object dialogs: adding, copying triggers, physical and object
    // properties.
    void openAddObjectDialog();
    void openCopyTriggersDialog();
    void openPhysicalPropertiesDialog();
    void openObjectPropertiesDialog();
    // Opens the project file; a file that is gone is dropped from the
    // recent projects, and the user is told.
    void openRecentProject(const QString& path);
    // Opens a sample world as a new, unsaved project: Save asks where to put
    // it, and the example stays as it is.
    void openExample(const QString& path);
    // Rebuilds the project of a generated script the user chooses and shows
    // it as a new, unsaved project named after the script, synchronised
    // when the script is; a refused script is reported and changes nothing.
    void importScript();
    // Lists what the check of the scene finds.
    void checkScene();
    // Selects the object in the object list, when it is still there.
    void showObject(const std::shared_ptr<core::IAtmoObject>& object);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    QWidget* buildObjectColumn();
    QWidget* buildStatusBar();
    // The first widths of the object list column and the middle area: the
    // list's entries and the host panels' rows show whole.
    int objectColumnWidth() const;
    int hostPanelWidth() const;

    // The script of the document shown, its objects named first; empty
    // when no project is shown.
    std::string currentScript() const;
    // The far panel is emptied: the editor shown there closes.
    void closeFarPanel();
    // The selected object's status follows every change of the scene.
    void followScene();
    // The project label, the recovery file and the undo stack's clean state
    // follow whether the document is saved.
    void followSaveState(const QString& recoveryDirectory);
    void selectObject(int row);
    // The world's host panel, made on the first selection of the world and
    // bound to the current world at every selection.
    void showWorldPanel();
    // Puts the host panels of the selected object, when it has any, into the
    // middle area.
    void showHostPanels();
    // A modal dialog of the main window holding the panel the builder makes;
    // the panel closes it.
    template <class BuildPanel>
    QDialog* openObjectDialog(const QString& title, QSize size, QPoint position, BuildPanel buildPanel);
    // The selected row of the object list; -1 when none is selected.
    int selectedRow() const;
    // Empties the middle area down to its first row, and the far panel.
    void clearEditingAreas();
    // Keeps the selected row selected when asked and when it is still there.
    void refillObjectList(bool keepSelection);
    void setProjectCommandsEnabled(bool enabled);
    void setObjectPropertiesEnabled(bool physical, bool object);
    // Saves to the project's location; a failure is shown to the user and
    // leaves the project's state as it was.
    bool saveCurrentProject(const QString& command);
    QString projectDirectory() const;
    // The saved state follows the undo stack: a save marks it clean.
    void markSaved();
    // After an undo or redo: the object list, the selected object's panels,
    // an open editor and the status bar show the model as it is now.
    void showSceneAfterHistoryStep();
    // The selected object is still listed: its panels are brought up to date
    // in place, or built anew when its interactions were replaced.
    void refreshSelectedObject(int row);
    // Opens the project file and shows it; a refusal is shown to the user.
    void openProjectFile(const QString& path);
    // Reads the project file as a new document; null, after telling the user
    // why, when it cannot be opened.
    std::shared_ptr<core::SceneDocument> readProjectFile(const QString& path, const QString& command);
    void fillRecentMenu();
    void fillExamplesMenu();
    // Shows the live preview beside the editors without narrowing them.
    void showPreview(bool show);
    void buildPreview();
    // Has a built preview generate the script again soon.
    void refreshPreview();
    // Hides the preview and gives back the width the window grew by for it,
    // and the place it left for it.
    void hidePreview();
    QString recoveryQuestion(const core::io::RecoveredWork& work) const;

    gui::StandardDialogs& dialogs_;
    core::IdCounter& ids_;
    std::shared_ptr<core::SceneDocument> document_;
    ProgramChoices& choices_;
    // The folder of the last project opened or saved, and the last script
    // file saved, for the program run.
    std::optional<std::string> lastProjectDirectory_;
    std::optional<std::string> lastScriptFile_;
    gui::InteractionEditors interactionEditors_;
    gui::DocumentEvents* events_;
    std::shared_ptr<core::IAtmoObject> selectedObject_;
    bool projectShown_ = false;
    bool dividersPlaced_ = false;
    gui::SceneUndoStack* undoStack_;
    gui::RecoveryKeeper* recoveryKeeper_;
    // The project's state when the undo stack is clean: saved, or new when it
    // was never saved.
    int cleanState_ = 0; // SceneDocument::STATE_SAVED
    // The width the window grew by to show the preview docked; 0 while it
    // is hidden or floats.
    int previewGrowth_ = 0;
    // How far the window moved left to grow on the screen, and moves back.
    int previewShift_ = 0;

    gui::SaveStateLabel* projectnamelbl_;
    QLabel* selectedname_;
    QListWidget* objectList_;
    QPushButton* addObjectButton_;
    QPushButton* removeObjectButton_;
    QWidget* middleArea_;
    QGridLayout* middleLayout_;
    QWidget* farPanel_;
    QGridLayout* farLayout_;
    QWidget* statusBar_;
    QSplitter* outerSplit_;
    QSplitter* innerSplit_;

    gui::WorldBasePanel* worldBasePanel_ = nullptr;

    QAction* closeAction_;
    QAction* undoAction_;
    QAction* redoAction_;
    QAction* saveAction_;
    QAction* saveAsAction_;
    QAction* generateAction_;
    QAction* testRunAction_;
    QAction* physicalPropertiesAction_;
    QAction* objectPropertiesAction_;
    QAction* checkSceneAction_;
    QAction* previewAction_;
    QAction* synchroniseAction_;

    gui::RecentProjects recentProjects_;
    QMenu* recentMenu_;
    QMenu* examplesMenu_;
    QString examplesDirectory_;
    // The live preview, built the first time it is shown.
    QDockWidget* previewDock_ = nullptr;
    gui::ScriptPreview* preview_ = nullptr;

    // Kept for the life of the window, with the editors they opened.
    gui::ObjectClickBasePanel* objectBasePanel_;
    gui::AtmoTriggerBasePanel* triggerBasePanel_;
    gui::ActorBasePanel* actorBasePanel_;

    QPlainTextEdit* statusText_;
};

} // namespace scenewright::app
