#include "scenewright/app/MainWindow.h"

#include "scenewright/app/AboutDialog.h"
#include "scenewright/gui/SCWFileFilter.h"
#include "scenewright/core/Actor.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SceneCheck.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/io/FileReader.h"
#include "scenewright/core/io/RecoveryFolder.h"
#include "scenewright/core/io/ScriptImport.h"
#include "scenewright/core/script/MessageText.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/gui/ActorBasePanel.h"
#include "scenewright/gui/AddObjectPopup.h"
#include "scenewright/gui/AtmoTriggerBasePanel.h"
#include "scenewright/gui/CopyActionsToPanel.h"
#include "scenewright/gui/DialogGeometry.h"
#include "scenewright/gui/DocumentEvents.h"
#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/ExampleProjects.h"
#include "scenewright/gui/Fonts.h"
#include "scenewright/gui/ObjectClickBasePanel.h"
#include "scenewright/gui/ObjectPropertiesPanel.h"
#include "scenewright/gui/ProgramSettings.h"
#include "scenewright/gui/PropertiesPanel.h"
#include "scenewright/gui/RecoveryKeeper.h"
#include "scenewright/gui/IModelEditor.h"
#include "scenewright/gui/SaveStateLabel.h"
#include "scenewright/gui/SceneCheckDialog.h"
#include "scenewright/gui/SceneUndoStack.h"
#include "scenewright/gui/ScriptFileFilter.h"
#include "scenewright/gui/ScriptPanel.h"
#include "scenewright/gui/ScriptPreview.h"
#include "scenewright/gui/SimulationLoader.h"
#include "scenewright/gui/TestRunDialog.h"
#include "scenewright/gui/StandardDialogs.h"
#include "scenewright/gui/WorldBasePanel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>
#include <iostream>
#include <typeinfo>
#include <utility>

namespace scenewright::app {

using core::SceneDocument;

namespace {

// The platform's keys for a standard command; where the platform has none
// (Save As and Quit on a desktop without a theme), the common one.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const char* common)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty())
        keys << QKeySequence(common);
    return keys;
}

} // namespace

MainWindow::MainWindow(gui::StandardDialogs& dialogs, const QString& recoveryDirectory, core::IdCounter& ids,
                       ProgramChoices& choices)
    : dialogs_(dialogs), ids_(ids), choices_(choices), examplesDirectory_(gui::ExampleProjects::directory())
{
    setWindowTitle(tr("Scenewright"));
    undoStack_ = new gui::SceneUndoStack(this);
    events_ = new gui::DocumentEvents(this);
    followSaveState(recoveryDirectory);
    buildMenus();

    selectedname_ = new QLabel(" ");
    selectedname_->setObjectName("selectedname");
    // A long name wraps, or is cut at the column's edge, rather than moving
    // the dividers.
    selectedname_->setWordWrap(true);
    selectedname_->setMinimumWidth(1);
    middleArea_ = new QWidget;
    middleArea_->setObjectName("middleArea");
    middleLayout_ = new QGridLayout(middleArea_);
    middleLayout_->setContentsMargins(4, 4, 4, 4);
    middleLayout_->addWidget(selectedname_, 0, 0, Qt::AlignTop);
    middleLayout_->setRowStretch(0, 1);
    // The host panels are kept for the life of the window; the divider's
    // first place is measured on them.
    objectBasePanel_ = new gui::ObjectClickBasePanel(interactionEditors_);
    objectBasePanel_->setObjectName("objectBasePanel");
    triggerBasePanel_ = new gui::AtmoTriggerBasePanel(interactionEditors_);
    triggerBasePanel_->setObjectName("triggerBasePanel");
    actorBasePanel_ = new gui::ActorBasePanel;
    actorBasePanel_->setObjectName("actorBasePanel");
    for (gui::HostPanel* panel :
         {static_cast<gui::HostPanel*>(objectBasePanel_), static_cast<gui::HostPanel*>(triggerBasePanel_),
          static_cast<gui::HostPanel*>(actorBasePanel_)}) {
        panel->setParent(middleArea_);
        panel->hide();
        connect(panel, &gui::HostPanel::editorRequested, this, [this](QWidget* editor) { setFarPanel(editor, true); });
    }

    farPanel_ = new QWidget;
    farPanel_->setObjectName("farPanel");
    farLayout_ = new QGridLayout(farPanel_);
    // An editor brings its own frame.
    farLayout_->setContentsMargins(0, 0, 0, 0);

    // The host panels of an object with many interactions scroll, in a
    // short window or with a large font.
    auto* middleScroll = new QScrollArea;
    middleScroll->setObjectName("middleAreaScroll");
    middleScroll->setWidgetResizable(true);
    middleScroll->setFrameShape(QFrame::NoFrame);
    middleScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    middleScroll->setWidget(middleArea_);

    // The columns take only the width their contents must have, so the
    // dividers stay where they are put whatever is selected. A tall editor
    // scrolls inside itself, its buttons in sight below.
    innerSplit_ = new QSplitter(Qt::Horizontal);
    innerSplit_->setObjectName("innerSplit");
    innerSplit_->setHandleWidth(7);
    innerSplit_->setChildrenCollapsible(false);
    innerSplit_->addWidget(buildObjectColumn());
    innerSplit_->addWidget(middleScroll);
    innerSplit_->setStretchFactor(0, 0);
    innerSplit_->setStretchFactor(1, 1);

    outerSplit_ = new QSplitter(Qt::Horizontal);
    outerSplit_->setObjectName("outerSplit");
    outerSplit_->setHandleWidth(8);
    outerSplit_->setChildrenCollapsible(false);
    outerSplit_->addWidget(innerSplit_);
    outerSplit_->addWidget(farPanel_);
    outerSplit_->setStretchFactor(0, 0);
    outerSplit_->setStretchFactor(1, 1);

    auto* content = new QWidget;
    auto* layout = new QGridLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(outerSplit_, 0, 0);
    layout->addWidget(buildStatusBar(), 1, 0);
    layout->setRowStretch(0, 1);
    setCentralWidget(content);

    followScene();
    connect(previewAction_, &QAction::toggled, this, &MainWindow::showPreview);

    setProjectCommandsEnabled(false);
    setObjectPropertiesEnabled(false, false);
    resize(611, 432);
}

MainWindow::~MainWindow()
{
    // The stack and the dock are deleted with the other children after this
    // window has stopped being a MainWindow; what they signal then (the stack
    // clearing, the hidden dock unticking its menu item) must not reach us.
    undoStack_->disconnect(this);
    recoveryKeeper_->disconnect(this);
    previewAction_->disconnect(this);
    events_->disconnect(this);
    events_->setDocument(nullptr);
    undoStack_->setDocument(nullptr);
}

void MainWindow::followSaveState(const QString& recoveryDirectory)
{
    recoveryKeeper_ = new gui::RecoveryKeeper(
        recoveryDirectory,
        [this]() -> const SceneDocument* {
            const bool unsaved = projectShown_ && document_ && document_->state() == SceneDocument::STATE_UNSAVED;
            return unsaved ? document_.get() : nullptr;
        },
        this);
    connect(events_, &gui::DocumentEvents::sceneChanged, recoveryKeeper_, &gui::RecoveryKeeper::scheduleKeep);
    connect(events_, &gui::DocumentEvents::savedStateChanged, this,
            [this](bool saved) { projectnamelbl_->showSaved(saved); });
    connect(recoveryKeeper_, &gui::RecoveryKeeper::keepingFailed, this,
            [this](const QString& reason, const QString& message) {
                statusBar()->showMessage(tr("Unsaved changes are not kept for recovery: %1").arg(reason));
                statusBar()->setToolTip(message);
            });
    connect(recoveryKeeper_, &gui::RecoveryKeeper::keepingResumed, this, [this] {
        statusBar()->clearMessage();
        statusBar()->setToolTip({});
    });
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (!projectShown_ || !document_)
            return;
        document_->setState(clean ? cleanState_ : SceneDocument::STATE_UNSAVED);
        // Undoing back to the saved scene leaves nothing to keep.
        if (document_->state() != SceneDocument::STATE_UNSAVED)
            recoveryKeeper_->discard();
    });
}

void MainWindow::followScene()
{
    // The status text shows what the selected object adds to the script
    // once its triggers, actions or properties change (the world's panel
    // asks for it itself); a new name shows in the list and above the
    // panels.
    connect(events_, &gui::DocumentEvents::sceneChanged, this, [this](const core::DocumentChange& change) {
        if (selectedObject_ && change.object == selectedObject_.get()
            && change.kind != core::DocumentChange::Kind::WorldChanged)
            updateStatusPanel(*selectedObject_);
    });
    connect(events_, &gui::DocumentEvents::objectRenamed, this, [this] {
        refillObjectList(true);
        if (selectedObject_)
            selectedname_->setText(QString::fromStdString(selectedObject_->toString()));
    });
}

std::string MainWindow::currentScript() const
{
    // After Close there is no scene to script.
    if (!document_ || !projectShown_)
        return {};
    document_->nameObjects();
    return core::script::ScriptGenerator::generate(document_->objects(), {document_->localiseScript(), choices_.synchronise()});
}

gui::ScriptPanel::Source MainWindow::scriptSource()
{
    return {[this] { return projectShown_ ? document_ : nullptr; }, [this] { return choices_.synchronise(); }, &lastScriptFile_,
            events_};
}

void MainWindow::closeFarPanel()
{
    setFarPanel(nullptr, true);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("File"));
    QAction* newAction = file->addAction(tr("New Project"), this, &MainWindow::newProject);
    newAction->setShortcuts(standardKeys(QKeySequence::New, "Ctrl+N"));
    QAction* openAction = file->addAction(tr("Open Project"), this, &MainWindow::openProject);
    openAction->setShortcuts(standardKeys(QKeySequence::Open, "Ctrl+O"));
    examplesMenu_ = file->addMenu(tr("Open Example"));
    examplesMenu_->setObjectName("examplesMenu");
    connect(examplesMenu_, &QMenu::aboutToShow, this, &MainWindow::fillExamplesMenu);
    file->addAction(tr("Import Script..."), this, &MainWindow::importScript);
    closeAction_ = file->addAction(tr("Close"), this, &MainWindow::closeProject);
    file->addSeparator();
    saveAction_ = file->addAction(tr("Save"), this, &MainWindow::saveProject);
    saveAction_->setShortcuts(standardKeys(QKeySequence::Save, "Ctrl+S"));
    saveAsAction_ = file->addAction(tr("Save As.."), this, &MainWindow::saveProjectAs);
    saveAsAction_->setShortcuts(standardKeys(QKeySequence::SaveAs, "Ctrl+Shift+S"));
    file->addSeparator();
    QAction* exitAction = file->addAction(tr("Exit"), this, &MainWindow::exitProgram);
    exitAction->setShortcuts(standardKeys(QKeySequence::Quit, "Ctrl+Q"));
    file->addSeparator();
    recentMenu_ = file->addMenu(tr("Recent Projects"));
    recentMenu_->setObjectName("recentProjectsMenu");
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);

    QMenu* edit = menuBar()->addMenu(tr("Edit"));
    undoAction_ = edit->addAction(tr("Undo"), this, &MainWindow::undo);
    undoAction_->setShortcuts(standardKeys(QKeySequence::Undo, "Ctrl+Z"));
    undoAction_->setEnabled(false);
    connect(undoStack_, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
    redoAction_ = edit->addAction(tr("Redo"), this, &MainWindow::redo);
    redoAction_->setShortcuts(standardKeys(QKeySequence::Redo, "Ctrl+Shift+Z"));
    redoAction_->setEnabled(false);
    connect(undoStack_, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);

    QMenu* javascript = menuBar()->addMenu(tr("Javascript"));
    generateAction_ = javascript->addAction(tr("Generate Scipt"), this, &MainWindow::openScriptView);
    QAction* statusBarAction = javascript->addAction(tr("Enable Script Status Bar"));
    statusBarAction->setCheckable(true);
    statusBarAction->setChecked(true);
    connect(statusBarAction, &QAction::toggled, this, [this](bool on) { statusBar_->setVisible(on); });
    javascript->addSeparator();
    testRunAction_ = javascript->addAction(tr("Test Run..."), this, &MainWindow::openTestRun);
    previewAction_ = javascript->addAction(tr("Live Script Preview"));
    previewAction_->setCheckable(true);
    checkSceneAction_ = javascript->addAction(tr("Check Scene"), this, &MainWindow::checkScene);

    QMenu* objects = menuBar()->addMenu(tr("Objects"));
    objects->addAction(tr("Copy object triggers to.."), this, &MainWindow::openCopyTriggersDialog);
    objects->addSeparator();
    synchroniseAction_ = objects->addAction(tr("Enable Synchronisation"));
    synchroniseAction_->setCheckable(true);
    synchroniseAction_->setChecked(choices_.synchronise());
    connect(synchroniseAction_, &QAction::toggled, this, [this](bool on) {
        choices_.setSynchronise(on);
        refreshPreview();
    });
    objects->addSeparator();
    physicalPropertiesAction_ = objects->addAction(tr("Physical Properties"), this, &MainWindow::openPhysicalPropertiesDialog);
    objectPropertiesAction_ = objects->addAction(tr("Object Properties"), this, &MainWindow::openObjectPropertiesDialog);

    QMenu* wizards = menuBar()->addMenu(tr("Wizards"));
    wizards->addAction(tr("Create Chat-bot"))->setEnabled(false);

    QMenu* help = menuBar()->addMenu(tr("Help"));
    help->addAction(tr("About"), this, &MainWindow::showAboutDialog);
}

QWidget* MainWindow::buildObjectColumn()
{
    auto* column = new QWidget;
    auto* layout = new QGridLayout(column);
    layout->setContentsMargins(2, 2, 2, 2);

    projectnamelbl_ = new gui::SaveStateLabel(tr("none"), column);
    projectnamelbl_->setObjectName("projectnamelbl");
    projectnamelbl_->setFont(gui::Fonts::dialog(13, true));
    objectList_ = new QListWidget;
    objectList_->setObjectName("objectList");
    objectList_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Follows the selection whether the pointer or the keyboard moved it.
    // Taking focus only marks a current row, without selecting it, and
    // selects nothing here.
    connect(objectList_, &QListWidget::itemSelectionChanged, this, [this] { selectObject(selectedRow()); });
    addObjectButton_ = new QPushButton(tr("Add Object"));
    connect(addObjectButton_, &QPushButton::clicked, this, &MainWindow::openAddObjectDialog);
    removeObjectButton_ = new QPushButton(tr("Remove Object"));
    connect(removeObjectButton_, &QPushButton::clicked, this, &MainWindow::removeObject);

    layout->addWidget(projectnamelbl_, 0, 0);
    layout->addWidget(new QLabel(tr("Objects Listing")), 1, 0);
    layout->addWidget(objectList_, 2, 0);
    layout->addWidget(addObjectButton_, 3, 0);
    layout->addWidget(removeObjectButton_, 4, 0);
    layout->setRowStretch(2, 1);
    return column;
}

QWidget* MainWindow::buildStatusBar()
{
    statusBar_ = new QWidget;
    statusBar_->setObjectName("statusBar");
    auto* layout = new QGridLayout(statusBar_);
    layout->setContentsMargins(0, 0, 0, 0);

    statusText_ = new QPlainTextEdit;
    statusText_->setObjectName("statusText");
    statusText_->setReadOnly(true);
    statusText_->setFont(gui::Fonts::sansSerif(12, true));
    statusText_->document()->setDocumentMargin(10);
    statusText_->setMinimumWidth(84);
    statusText_->setFixedHeight(84);
    auto* caption = new QLabel(tr("Scenewright Status. Your generated Atmosphere javascript will reflect what's shown above"));
    caption->setFont(gui::Fonts::sansSerif(12, false));
    // One line in a window of the first size; a narrower window wraps it
    // rather than being held as wide as the sentence.
    caption->setWordWrap(true);

    layout->addWidget(statusText_, 0, 0);
    layout->addWidget(caption, 1, 0);
    return statusBar_;
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The dividers are placed once, when the window has its first size:
    // where the user left them, or where the object list and the host
    // panels show whole. After that the user moves them.
    if (dividersPlaced_)
        return;
    dividersPlaced_ = true;
    if (gui::ProgramSettings::restoreDividers({outerSplit_, innerSplit_}))
        return;
    // The editors keep at least three eighths of the width; where the two
    // columns would leave them less (with a large font), both give way.
    const int handles = outerSplit_->handleWidth() + innerSplit_->handleWidth();
    const int room = qMax(0, outerSplit_->width() - handles - outerSplit_->width() * 3 / 8);
    int objects = objectColumnWidth();
    int middle = hostPanelWidth();
    if (objects + middle > room) {
        objects = objects * room / (objects + middle);
        middle = room - objects;
    }
    const int left = objects + innerSplit_->handleWidth() + middle;
    outerSplit_->setSizes({left, qMax(0, outerSplit_->width() - outerSplit_->handleWidth() - left)});
    innerSplit_->setSizes({objects, middle});
}

int MainWindow::objectColumnWidth() const
{
    // Room for the entry of a model whose name has about eight letters, and
    // for the scroll bar of a long list.
    const QString entry = QString(8, 'n') + " <" + core::IAtmoObject::TYPE_MODEL + ">";
    const int textMargin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, objectList_) + 1);
    const int list = objectList_->fontMetrics().horizontalAdvance(entry) + textMargin + 2 * objectList_->frameWidth()
                     + objectList_->verticalScrollBar()->sizeHint().width();
    const QWidget* column = objectList_->parentWidget();
    const QMargins margins = column->layout()->contentsMargins();
    return qMax(column->minimumSizeHint().width(), list + margins.left() + margins.right());
}

int MainWindow::hostPanelWidth() const
{
    int widest = 0;
    for (const gui::HostPanel* panel : {static_cast<gui::HostPanel*>(objectBasePanel_),
                                        static_cast<gui::HostPanel*>(triggerBasePanel_),
                                        static_cast<gui::HostPanel*>(actorBasePanel_)})
        widest = qMax(widest, panel->oneLineWidth());
    const QMargins margins = middleLayout_->contentsMargins();
    return widest + margins.left() + margins.right();
}

void MainWindow::setProjectCommandsEnabled(bool enabled)
{
    for (QAction* action : {generateAction_, testRunAction_, saveAction_, saveAsAction_, closeAction_, checkSceneAction_})
        action->setEnabled(enabled);
    addObjectButton_->setEnabled(enabled);
    removeObjectButton_->setEnabled(enabled);
}

void MainWindow::setObjectPropertiesEnabled(bool physical, bool object)
{
    physicalPropertiesAction_->setEnabled(physical);
    objectPropertiesAction_->setEnabled(object);
}

void MainWindow::setProject(const SceneDocument& document)
{
    projectnamelbl_->setText(QString::fromStdString(document.name()) + SceneDocument::suffix);
    refillObjectList(false);
    setProjectCommandsEnabled(true);
    projectShown_ = true;
}

void MainWindow::refillObjectList(bool keepSelection)
{
    // Refilling is not a selection: the handler must not run.
    const QSignalBlocker blocker(objectList_);
    const int selected = selectedRow();
    objectList_->clear();
    if (document_ && projectShown_)
        for (const auto& object : document_->objects())
            objectList_->addItem(QString::fromStdString(object->toString()));
    if (keepSelection && selected >= 0 && selected < objectList_->count())
        objectList_->setCurrentRow(selected);
}

void MainWindow::showNewProject(const std::shared_ptr<SceneDocument>& document)
{
    // The changes on the stack belong to the replaced scene.
    projectShown_ = false;
    undoStack_->setDocument(document);
    document_ = document;
    events_->setDocument(document);
    cleanState_ = document->state();
    projectnamelbl_->showSaved(document->isSaved());
    recoveryKeeper_->discard();
    // The editors on screen belong to the replaced scene.
    clearEditingAreas();
    selectedObject_.reset();
    setObjectPropertiesEnabled(false, false);
    projectShown_ = true;
    setProject(*document);
    refreshPreview();
}

void MainWindow::newProject()
{
    std::shared_ptr<SceneDocument> document;
    try {
        document = SceneDocument::createDefault(ids_);
    } catch (const core::IdsExhausted& exhausted) {
        dialogs_.showError(this, tr("New Project"), QString::fromUtf8(exhausted.what()));
        return;
    }
    showNewProject(document);
}

QString MainWindow::projectDirectory() const
{
    return lastProjectDirectory_ ? QString::fromStdString(*lastProjectDirectory_) : QDir::homePath();
}

void MainWindow::openProject()
{
    const gui::SCWFileFilter filter;
    const QString chosen = dialogs_.chooseFile(this, {tr("Open Project"), projectDirectory(), {}, &filter, false});
    if (chosen.isEmpty())
        return;
    openProjectFile(chosen);
}

std::shared_ptr<SceneDocument> MainWindow::readProjectFile(const QString& path, const QString& command)
{
    std::string error;
    auto document = SceneDocument::open(QFileInfo(path).absoluteFilePath().toStdString(), ids_, error);
    // On a refusal nothing changed: the open project stays as it was.
    if (!document)
        dialogs_.showError(this, command, QString::fromStdString(error));
    return document;
}

void MainWindow::openProjectFile(const QString& path)
{
    const QFileInfo file(path);
    lastProjectDirectory_ = file.absolutePath().toStdString();
    auto document = readProjectFile(path, tr("Open Project"));
    if (!document)
        return;
    // The label names the file the user works on, and Save writes back to it.
    document->setName(file.completeBaseName().toStdString());
    document->setFileLocation(file.absoluteFilePath().toStdString());
    document->setState(SceneDocument::STATE_SAVED);
    showNewProject(document);
    recentProjects_.add(file.absoluteFilePath());
}

void MainWindow::openExample(const QString& path)
{
    auto document = readProjectFile(path, tr("Open Example"));
    if (!document)
        return;
    // An unsaved copy: Save asks where to put it.
    document->setName(QFileInfo(path).completeBaseName().toStdString());
    document->setFileLocation(std::nullopt);
    document->setState(SceneDocument::STATE_NEW);
    showNewProject(document);
}

void MainWindow::importScript()
{
    const QString title = tr("Import Script");
    const gui::ScriptFileFilter filter;
    // Scripts are chosen where the last one was saved or imported.
    QString directory = QDir::homePath();
    if (lastScriptFile_)
        directory = QFileInfo(QString::fromStdString(*lastScriptFile_)).absolutePath();
    const QString chosen = dialogs_.chooseFile(this, {title, directory, {}, &filter, false});
    if (chosen.isEmpty())
        return;
    const std::string path = QFileInfo(chosen).absoluteFilePath().toStdString();
    lastScriptFile_ = path;
    std::string error;
    std::optional<std::string> script = core::io::FileReader::read(path, error);
    std::optional<core::io::ScriptImport::Imported> imported;
    if (script)
        imported = core::io::ScriptImport::read(*script, path, ids_, error);
    // A refused script changes nothing: the open project stays as it was.
    if (!imported) {
        dialogs_.showError(this, title, QString::fromStdString(error));
        return;
    }
    synchroniseAction_->setChecked(imported->synchronised);
    showNewProject(imported->document);
}

void MainWindow::fillExamplesMenu()
{
    examplesMenu_->clear();
    const QFileInfoList examples = gui::ExampleProjects::list(examplesDirectory_);
    if (examples.isEmpty())
        examplesMenu_->addAction(tr("No examples found"))->setEnabled(false);
    for (const QFileInfo& example : examples) {
        const QString path = example.absoluteFilePath();
        QString shown = example.completeBaseName();
        QAction* entry = examplesMenu_->addAction(shown.replace('&', "&&"), this, [this, path] { openExample(path); });
        entry->setData(path);
    }
}

void MainWindow::fillRecentMenu()
{
    recentMenu_->clear();
    const QStringList paths = recentProjects_.paths();
    if (paths.isEmpty())
        recentMenu_->addAction(tr("No recent projects"))->setEnabled(false);
    for (int index = 0; index < paths.size(); ++index) {
        const QString& path = paths[index];
        // An ampersand in the path is shown, not taken as a shortcut mark.
        const QString shown = QDir::toNativeSeparators(path).replace('&', "&&");
        const QString text = QString("&%1 %2").arg(index + 1).arg(shown);
        QAction* entry = recentMenu_->addAction(text, this, [this, path] { openRecentProject(path); });
        entry->setData(path);
    }
    recentMenu_->addSeparator();
    QAction* clear = recentMenu_->addAction(tr("Clear List"), this, [this] { recentProjects_.clear(); });
    clear->setEnabled(!paths.isEmpty());
}

void MainWindow::openRecentProject(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        recentProjects_.remove(path);
        dialogs_.showError(this, tr("Open Project"),
                           tr("The project %1 no longer exists. It has been removed from the recent projects.")
                               .arg(QString::fromStdString(
                                   core::script::MessageText::escaped(QDir::toNativeSeparators(path).toStdString()))));
        return;
    }
    openProjectFile(path);
}

void MainWindow::closeProject()
{
    projectnamelbl_->setText("");
    {
        const QSignalBlocker blocker(objectList_);
        objectList_->clear();
    }
    setProjectCommandsEnabled(false);
    setObjectPropertiesEnabled(false, false);
    clearEditingAreas();
    selectedObject_.reset();
    projectShown_ = false;
    undoStack_->setDocument(nullptr);
    events_->setDocument(nullptr);
    document_.reset();
    recoveryKeeper_->discard();
    refreshPreview();
}

bool MainWindow::saveCurrentProject(const QString& command)
{
    if (const auto failure = document_->save()) {
        dialogs_.showError(this, command, QString::fromStdString(*failure));
        return false;
    }
    return true;
}

void MainWindow::saveProject()
{
    if (!document_)
        return;
    if (!document_->fileLocation()) {
        saveProjectAs();
        return;
    }
    if (saveCurrentProject(tr("Save"))) {
        markSaved();
        recentProjects_.add(QString::fromStdString(*document_->fileLocation()));
    }
}

void MainWindow::markSaved()
{
    cleanState_ = SceneDocument::STATE_SAVED;
    document_->setState(SceneDocument::STATE_SAVED);
    undoStack_->setClean();
    recoveryKeeper_->discard();
}

void MainWindow::saveProjectAs()
{
    if (!document_)
        return;
    const gui::SCWFileFilter filter;
    const QString target = dialogs_.chooseFileToSave(this, {tr("Save Project"), projectDirectory(), {}, &filter, true});
    if (target.isEmpty())
        return;
    lastProjectDirectory_ = QFileInfo(target).absolutePath().toStdString();

    // The name and location change with the save, and only when it succeeds.
    const std::string oldName = document_->name();
    const std::optional<std::string> oldLocation = document_->fileLocation();
    document_->setName(QFileInfo(target).completeBaseName().toStdString());
    document_->setFileLocation(target.toStdString());
    if (!saveCurrentProject(tr("Save As.."))) {
        document_->setName(oldName);
        document_->setFileLocation(oldLocation);
        return;
    }
    markSaved();
    projectnamelbl_->setText(QString::fromStdString(document_->name()) + SceneDocument::suffix);
    recentProjects_.add(target);
}

void MainWindow::exitProgram()
{
    // The size kept is the window's own, without the preview, which is off
    // at the next start.
    hidePreview();
    gui::ProgramSettings::saveWindow(*this, {outerSplit_, innerSplit_});
    recoveryKeeper_->keepNow();
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    exitProgram();
    event->accept();
}

QString MainWindow::recoveryQuestion(const core::io::RecoveredWork& work) const
{
    const QString project = work.projectFile() ? QFileInfo(QString::fromStdString(*work.projectFile())).fileName()
                                               : tr("a new project");
    const QDateTime kept = QDateTime::fromSecsSinceEpoch(work.keptAt());
    QString when = kept.toString("HH:mm");
    if (kept.date() != QDate::currentDate())
        when = QLocale().toString(kept.date(), QLocale::ShortFormat) + " " + when;
    return tr("Scenewright ended with unsaved changes to %1, last kept at %2. Reopen them?").arg(project, when);
}

void MainWindow::offerRecovery()
{
    std::vector<core::io::RecoveryFolder::Unreadable> unreadable;
    std::vector<core::io::RecoveredWork> left
        = core::io::RecoveryFolder(recoveryKeeper_->directory().toStdString()).leftWork(ids_, unreadable);
    // One window reopens one work; the rest stays for the next start.
    for (core::io::RecoveredWork& work : left) {
        if (!dialogs_.ask(this, tr("Scenewright"), recoveryQuestion(work))) {
            work.forget();
            continue;
        }
        showNewProject(work.reopen(ids_));
        // This program's own recovery file takes the work over before the
        // one it came from goes.
        recoveryKeeper_->keepNow();
        work.forget();
        break;
    }
    // Told after the questions, which wait for their answers, so that the
    // messages do not lie under them.
    for (const auto& damaged : unreadable) {
        const QString setAside = damaged.setAsidePath.empty()
                                     ? tr("It could not be set aside.")
                                     : tr("It has been set aside as %1.")
                                           .arg(QDir::toNativeSeparators(QString::fromStdString(damaged.setAsidePath)));
        dialogs_.showError(this, tr("Scenewright"),
                           tr("Unsaved changes kept by an earlier run cannot be read.\n\n%1\n\n%2")
                               .arg(QString::fromStdString(damaged.error), setAside));
    }
}

void MainWindow::openStartProject(const QString& path)
{
    if (projectShown_ && document_ && document_->state() == SceneDocument::STATE_UNSAVED) {
        dialogs_.showError(this, tr("Scenewright"),
                           tr("%1 was not opened, so that the reopened unsaved changes are kept. Save them, then "
                              "open it.")
                               .arg(QDir::toNativeSeparators(path)));
        return;
    }
    openProjectFile(path);
}

void MainWindow::clearEditingAreas()
{
    // Rows are taken out, not deleted: the host panels are kept and reused,
    // and the editors belong to the panels that opened them.
    while (middleLayout_->count() > 1) {
        QLayoutItem* item = middleLayout_->takeAt(1);
        if (item->widget())
            item->widget()->hide();
        delete item;
    }
    setFarPanel(nullptr, true);
}

void MainWindow::addMiddleAreaRow(QWidget* panel)
{
    // The next row is counted from the rows shown: a grid keeps counting the
    // rows it once had, and a panel put after those would sit below empty,
    // stretching rows. The rows stack at the top: only the last one takes
    // the spare height.
    const int row = middleLayout_->count();
    for (int above = 0; above < middleLayout_->rowCount(); ++above)
        middleLayout_->setRowStretch(above, 0);
    middleLayout_->addWidget(panel, row, 0, Qt::AlignTop);
    middleLayout_->setRowStretch(row, 1);
    panel->show();
}

int MainWindow::middleAreaRowCount() const
{
    return middleLayout_->count();
}

void MainWindow::setFarPanel(QWidget* panel, bool clear)
{
    // An editor done with its work closes the far panel.
    if (auto* editor = qobject_cast<gui::EditorFrame*>(panel))
        connect(editor, &gui::EditorFrame::closeRequested, this, &MainWindow::closeFarPanel, Qt::UniqueConnection);
    if (clear) {
        while (farLayout_->count() > 0) {
            QLayoutItem* item = farLayout_->takeAt(0);
            if (item->widget())
                item->widget()->hide();
            delete item;
        }
    }
    if (!panel)
        return;
    const int row = farLayout_->count();
    farLayout_->addWidget(panel, row, 0, Qt::AlignTop);
    farLayout_->setRowStretch(row, 1);
    panel->show();
}

QWidget* MainWindow::getFarPanelAttachment() const
{
    QLayoutItem* first = farLayout_->itemAt(0);
    return first ? first->widget() : nullptr;
}

void MainWindow::updateStatusPanel(const core::IAtmoObject& object)
{
    // Hidden with the status bar when its menu tick is off.
    if (statusText_ && statusText_->isVisibleTo(statusText_->window()))
        statusText_->setPlainText("  " + QString::fromStdString(object.updateStatus()));
}

void MainWindow::selectObject(int row)
{
    if (!document_ || row < 0 || row >= document_->objectCount())
        return;
    selectedObject_ = document_->object(row);
    selectedname_->setText(QString::fromStdString(selectedObject_->toString()));
    clearEditingAreas();
    updateStatusPanel(*selectedObject_);

    // The object's host panels go into the middle area here, by its exact
    // class. Physical properties serve models and viewpoint objects only;
    // the actor and the world have no object properties either.
    const std::type_info& kind = typeid(*selectedObject_);
    if (kind == typeid(core::PrimitiveObj) || kind == typeid(core::SolidObjectObj))
        setObjectPropertiesEnabled(false, true);
    else if (kind == typeid(core::Actor) || kind == typeid(core::World))
        setObjectPropertiesEnabled(false, false);
    else
        setObjectPropertiesEnabled(true, true);
    showHostPanels();
}

void MainWindow::showHostPanels()
{
    const std::type_info& kind = typeid(*selectedObject_);
    if (kind == typeid(core::ModelObj) || kind == typeid(core::ViewpointObj) || kind == typeid(core::PrimitiveObj)
        || kind == typeid(core::SolidObjectObj)) {
        objectBasePanel_->setup(document_, selectedObject_);
        addMiddleAreaRow(objectBasePanel_);
        triggerBasePanel_->setup(document_, selectedObject_);
        addMiddleAreaRow(triggerBasePanel_);
    } else if (kind == typeid(core::Actor)) {
        addMiddleAreaRow(actorBasePanel_);
        actorBasePanel_->setup(document_);
    } else if (kind == typeid(core::World)) {
        showWorldPanel();
    }
}

void MainWindow::showWorldPanel()
{
    if (!worldBasePanel_) {
        worldBasePanel_ = new gui::WorldBasePanel(middleArea_);
        connect(worldBasePanel_, &gui::WorldBasePanel::editorRequested, this,
                [this](QWidget* editor) { setFarPanel(editor, true); });
        connect(worldBasePanel_, &gui::WorldBasePanel::statusOutdated, this, [this] {
            if (selectedObject_)
                updateStatusPanel(*selectedObject_);
        });
    }
    worldBasePanel_->setup(document_);
    addMiddleAreaRow(worldBasePanel_);
}

std::shared_ptr<core::AtmoObject> MainWindow::addObject(const QString& name, const QString& type,
                                                        const std::optional<QString>& solidObject)
{
    std::shared_ptr<core::AtmoObject> object;
    try {
        if (!solidObject) {
            object = document_->addObject(name.toStdString(), type.toStdString());
        } else {
            // The object and its solid object index are one undo step.
            const auto step = document_->step("Add Object");
            object = document_->addObject(name.toStdString(), type.toStdString());
            if (auto* primitive = dynamic_cast<core::PrimitiveObj*>(object.get()))
                document_->setSolidObjectIndex(*primitive, solidObject->toStdString());
        }
    } catch (const core::IdsExhausted& exhausted) {
        dialogs_.showError(this, tr("Add Object"), QString::fromUtf8(exhausted.what()));
        return nullptr;
    }
    refillObjectList(true);
    return object;
}

int MainWindow::selectedRow() const
{
    const QList<QListWidgetItem*> selected = objectList_->selectedItems();
    return selected.isEmpty() ? -1 : objectList_->row(selected.first());
}

void MainWindow::removeObject()
{
    const int row = selectedRow();
    if (row < 0 || !document_ || !document_->removeObject(row))
        return;
    refillObjectList(false);
    clearEditingAreas();
    selectedname_->setText(" ");
    if (statusText_)
        statusText_->setPlainText("");
    // Until the next selection there is no object for them to open on.
    setObjectPropertiesEnabled(false, false);
}

void MainWindow::undo()
{
    if (!undoStack_->canUndo())
        return;
    undoStack_->undo();
    showSceneAfterHistoryStep();
}

void MainWindow::redo()
{
    if (!undoStack_->canRedo())
        return;
    undoStack_->redo();
    showSceneAfterHistoryStep();
}

void MainWindow::showSceneAfterHistoryStep()
{
    const auto& objects = document_->objects();
    const int previousRow = selectedRow();
    const bool panelsShown = middleLayout_->count() > 1;
    const auto found = std::find(objects.begin(), objects.end(), selectedObject_);
    const int row = selectedObject_ && found != objects.end() ? static_cast<int>(found - objects.begin()) : -1;
    refillObjectList(false);
    if (row >= 0 && panelsShown) {
        refreshSelectedObject(row);
        return;
    }
    if (row >= 0) {
        // A removed object that comes back is selected again.
        objectList_->setCurrentRow(row);
        return;
    }
    clearEditingAreas();
    selectedname_->setText(" ");
    if (statusText_)
        statusText_->setPlainText("");
    setObjectPropertiesEnabled(false, false);
    selectedObject_.reset();
    // The selected object is gone (its addition was undone): its neighbour
    // takes the selection.
    if (previousRow >= 0)
        objectList_->setCurrentRow(std::min(previousRow, objectList_->count() - 1));
}

void MainWindow::refreshSelectedObject(int row)
{
    {
        const QSignalBlocker blocker(objectList_);
        objectList_->setCurrentRow(row);
    }
    const std::type_info& kind = typeid(*selectedObject_);
    if (kind == typeid(core::World)) {
        worldBasePanel_->setup(document_);
    } else {
        const bool current = kind == typeid(core::Actor)
                                 ? actorBasePanel_->refreshChecks(*selectedObject_)
                                 : objectBasePanel_->refreshChecks(*selectedObject_)
                                       && triggerBasePanel_->refreshChecks(*selectedObject_);
        if (!current) {
            selectObject(row);
            return;
        }
    }
    selectedname_->setText(QString::fromStdString(selectedObject_->toString()));
    if (auto* editor = dynamic_cast<gui::IModelEditor*>(getFarPanelAttachment()))
        editor->reloadFromModel();
    updateStatusPanel(*selectedObject_);
}

void MainWindow::openScriptView()
{
    auto* panel = gui::ScriptPanel::createInDialog(this, dialogs_, scriptSource());
    connect(panel, &gui::ScriptPanel::objectChosen, this, &MainWindow::showObject);
    panel->parentWidget()->show();
}

void MainWindow::openTestRun()
{
    gui::TestRunDialog* dialog = nullptr;
    try {
        dialog = new gui::TestRunDialog(this, dialogs_, scriptSource());
    } catch (const core::IdsExhausted& exhausted) {
        dialogs_.showError(this, tr("Test Run"), QString::fromUtf8(exhausted.what()));
        return;
    } catch (const gui::SimulationLoader::Unavailable& unavailable) {
        dialogs_.showError(this, tr("Test Run"), QString::fromStdString(unavailable.what()));
        return;
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MainWindow::buildPreview()
{
    if (preview_)
        return;
    preview_ = new gui::ScriptPreview;
    preview_->setObjectName("scriptPreview");
    preview_->setScriptSource([this] { return currentScript(); });
    connect(events_, &gui::DocumentEvents::sceneChanged, preview_, &gui::ScriptPreview::scheduleRefresh);
    previewDock_ = new QDockWidget(tr("Script Preview"), this);
    previewDock_->setObjectName("scriptPreviewDock");
    previewDock_->setWidget(preview_);
    // Where it shows, docked or floating, is the window's choice (see
    // showPreview); the user closes it.
    previewDock_->setFeatures(QDockWidget::DockWidgetClosable);
    addDockWidget(Qt::RightDockWidgetArea, previewDock_);
    previewDock_->hide();
    // Closing the dock by its own button unticks the menu item.
    connect(previewDock_->toggleViewAction(), &QAction::toggled, previewAction_, &QAction::setChecked);
}

void MainWindow::refreshPreview()
{
    // A preview never shown is built, and generates, when first asked for.
    if (preview_)
        preview_->scheduleRefresh();
}

void MainWindow::showPreview(bool show)
{
    if (!show) {
        hidePreview();
        return;
    }
    buildPreview();
    if (previewDock_->isVisible())
        return;
    const int previewWidth = std::max(320, width() * 2 / 5);
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    const QRect frame = frameGeometry();
    const QRect screenArea = screen()->availableGeometry();
    const int growth = previewWidth + separator;
    if (!isMaximized() && !isFullScreen() && frame.width() + growth <= screenArea.width()) {
        // The window grows by the preview's width, so the editors keep
        // theirs; it moves left where it would leave the screen.
        previewGrowth_ = growth;
        previewShift_ = std::max(0, frame.right() + growth - screenArea.right());
        const QRect grown = geometry().adjusted(-previewShift_, 0, growth - previewShift_, 0);
        previewDock_->setFloating(false);
        setGeometry(grown);
        previewDock_->show();
        resizeDocks({previewDock_}, {previewWidth}, Qt::Horizontal);
        return;
    }
    // No room to grow: the preview floats beside the window, right of it
    // where there is room, else left of it, else at the screen's edge.
    previewDock_->setFloating(true);
    previewDock_->resize(previewWidth, height());
    const QSize outer = previewDock_->size() + (frame.size() - size());
    int x = frame.right() + 1;
    if (x + outer.width() > screenArea.right() + 1)
        x = frame.left() - outer.width();
    if (x < screenArea.left())
        x = screenArea.right() + 1 - outer.width();
    previewDock_->move(x, frame.top());
    previewDock_->show();
}

void MainWindow::hidePreview()
{
    // Taken first: hiding the dock unticks the menu item, which comes back here.
    const int growth = std::exchange(previewGrowth_, 0);
    const int shift = std::exchange(previewShift_, 0);
    if (previewDock_)
        previewDock_->hide();
    if (growth > 0)
        setGeometry(geometry().adjusted(shift, 0, shift - growth, 0));
}

void MainWindow::checkScene()
{
    if (!projectShown_)
        return;
    auto* dialog = new gui::SceneCheckDialog(
        this, core::SceneCheck::check(document_->objects(), document_->localiseScript(), choices_.synchronise()),
        gui::SceneCheckDialog::Purpose::Review);
    connect(dialog, &gui::SceneCheckDialog::objectChosen, this, &MainWindow::showObject);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MainWindow::showObject(const std::shared_ptr<core::IAtmoObject>& object)
{
    if (!document_)
        return;
    const auto& objects = document_->objects();
    const auto found = std::find(objects.begin(), objects.end(), object);
    if (found == objects.end() || found - objects.begin() >= objectList_->count())
        return;
    objectList_->setCurrentRow(static_cast<int>(found - objects.begin()));
    activateWindow();
}

void MainWindow::showAboutDialog()
{
    auto* box = new AboutDialog(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->adjustSize();
    gui::DialogGeometry::placeOnScreen(box, pos() + QPoint((width() - box->width()) / 2, (height() - box->height()) / 2));
    box->open();
}

template <class BuildPanel>
QDialog* MainWindow::openObjectDialog(const QString& title, QSize size, QPoint position, BuildPanel buildPanel)
{
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    auto* layout = new QGridLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildPanel(dialog), 0, 0);
    // The size asked for is the least: a dialog whose content needs more
    // gets it, as far as the screen allows.
    gui::DialogGeometry::resizeToFit(dialog, size);
    gui::DialogGeometry::placeOnScreen(dialog, position);
    // Modal without a nested event loop, so that nothing waits on it.
    dialog->open();
    return dialog;
}

void MainWindow::openAddObjectDialog()
{
    openObjectDialog(tr("Add Model/Viewpoint/Primitive/Solid Object"), {400, 400}, pos() + QPoint(150, 150),
                     [this](QDialog* dialog) {
                         auto* popup = new gui::AddObjectPopup(dialog);
                         connect(popup, &gui::AddObjectPopup::addRequested, dialog,
                                 [this, dialog](const QString& name, const QString& type, const QString& solidObject) {
                                     if (addObject(name, type, std::optional<QString>(solidObject)))
                                         dialog->accept();
                                 });
                         return popup;
                     });
}

void MainWindow::openCopyTriggersDialog()
{
    openObjectDialog(tr("Copy Actions & Triggers"), {500, 400}, {200, 200}, [this](QDialog* dialog) {
        auto* panel = new gui::CopyActionsToPanel(document_, dialog);
        // A target on show gets panels for its new triggers and actions.
        connect(panel, &gui::CopyActionsToPanel::copied, this,
                [this](const std::vector<std::shared_ptr<core::IAtmoObject>>& targets) {
                    if (selectedObject_ && middleLayout_->count() > 1
                        && std::find(targets.begin(), targets.end(), selectedObject_) != targets.end())
                        selectObject(selectedRow());
                });
        connect(panel, &gui::CopyActionsToPanel::refused, this,
                [this](const QString& message) { dialogs_.showError(this, tr("Copy Actions & Triggers"), message); });
        return panel;
    });
}

void MainWindow::openPhysicalPropertiesDialog()
{
    if (!selectedObject_)
        return;
    const auto object = selectedObject_;
    QDialog* dialog
        = openObjectDialog(tr("Physical Model Properties"), {550, 500}, {200, 200}, [this, object](QDialog* dialog) {
              return new gui::PropertiesPanel(document_, object, dialog);
          });
    // The sliders and boxes wrote at once; the status shows what they changed.
    connect(dialog, &QDialog::finished, this, [this, object] { updateStatusPanel(*object); });
}

void MainWindow::openObjectPropertiesDialog()
{
    if (!selectedObject_)
        return;
    QDialog* dialog = openObjectDialog(tr("Object Properties"), {350, 300}, {200, 200}, [this](QDialog* dialog) {
        return new gui::ObjectPropertiesPanel(document_, selectedObject_, dialog);
    });
    // A new name shows in the list, the middle area and the status bar.
    connect(dialog, &QDialog::accepted, this, [this] {
        refillObjectList(true);
        if (!selectedObject_)
            return;
        selectedname_->setText(QString::fromStdString(selectedObject_->toString()));
        updateStatusPanel(*selectedObject_);
    });
}

} // namespace scenewright::app
