#pragma once

#include "scenewright/gui/ScriptFileFilter.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QDialog;
class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace scenewright::core {
class IAtmoObject;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::gui {

class DocumentEvents;
class ScriptHighlighter;
class StandardDialogs;

// The script view: generates the project's script, beautifies or
// compresses it, saves it to a ".js" file and chooses between global and
// localised variables.
class ScriptPanel : public QWidget {
    Q_OBJECT
public:
    // What the view scripts.
    struct Source {
        // The document shown, asked at each use; none after Close: there
        // is no scene to script.
        std::function<std::shared_ptr<core::SceneDocument>()> document;
        // Whether triggers are synchronised, asked at each generation.
        std::function<bool()> synchronised;
        // The file the last script was saved to, kept for the program run.
        std::optional<std::string>* lastScriptFile = nullptr;
        // The changes of the document shown, which the scope choice follows.
        DocumentEvents* events = nullptr;
    };

    // Builds the panel inside the dialog, which it closes on "Close".
    ScriptPanel(QDialog* dialog, StandardDialogs& dialogs, Source source);
    ~ScriptPanel() override;

    // The script view in a dialog of its own, deleted when closed; the
    // caller shows it.
    static ScriptPanel* createInDialog(QWidget* parent, StandardDialogs& dialogs, Source source);

    // The file the script was last saved to from this panel; empty before.
    const QString& currentFile() const { return currentFile_; }
    // The script as it would be saved: the bytes last put in the text area,
    // or, once the user has edited it, what it shows with the line breaks
    // the script had.
    QByteArray scriptText() const;

    QPlainTextEdit* scriptArea() const { return scriptArea_; }
    QLabel* lineIndicator() const { return lineIndicator_; }
    QLabel* savedFileLabel() const { return savedFileLabel_; }
    // Whether the script shown is coloured; a script with a line of
    // megabytes is left plain.
    bool isColoured() const;

signals:
    // The user chose an object in the check before saving.
    void objectChosen(const std::shared_ptr<core::IAtmoObject>& object);

public slots:
    void generateScript();
    // Both work on what the text area shows, the user's edits included.
    void beautify();
    void compress();
    void saveFile();
    // Checks the scene first; when it finds problems, they are shown and
    // the user goes on to save or cancels.
    void saveAs();
    void showWhyLocalise();

private:
    QWidget* buildControls();
    // Ticks the scope the project has now, without writing it back.
    void showScope();
    static qsizetype longestLine(const QByteArray& script);
    void chooseFileAndSave();
    void showScript(QByteArray script);
    // Null on success, else the message naming the file and the reason.
    static std::optional<QString> write(const QString& path, const QByteArray& script);
    void showLine();
    void chooseScope(bool localise);

    QDialog* parent_;
    StandardDialogs& dialogs_;
    ScriptFileFilter filter_;
    QString currentFile_;
    QByteArray shownScript_;
    // The line break of the script shown: the formatter writes "\r\n", the
    // generator "\n"; the text area keeps neither.
    QByteArray lineBreak_ = "\n";

    QPlainTextEdit* scriptArea_;
    ScriptHighlighter* highlighter_;
    QLabel* lineIndicator_;
    QLabel* savedFileLabel_;
    QRadioButton* globalButton_;
    QRadioButton* localiseButton_;
    // Keeps the scope buttons right when an undo changes the scope.
    // The document shown now; none after Close.
    std::shared_ptr<core::SceneDocument> document() const;

    Source source_;
};

} // namespace scenewright::gui
