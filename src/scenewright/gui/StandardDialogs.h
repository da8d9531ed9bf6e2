#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace scenewright::gui {

class SuffixFileFilter;

// The standard dialogs through which the program asks the user something:
// file choosers and message boxes. The program shows Qt's; tests put in
// answers of their own, so that no test waits on a dialog.
class StandardDialogs {
    Q_DECLARE_TR_FUNCTIONS(StandardDialogs)

public:
    struct FileRequest {
        QString title;
        // The folder the chooser opens in.
        QString directory;
        // The text of the approve button; empty for the chooser's own.
        QString acceptLabel;
        const SuffixFileFilter* filter = nullptr;
        bool forSaving = false;
    };

    virtual ~StandardDialogs() = default;
    // The chosen file's path; empty when the user cancels.
    virtual QString chooseFile(QWidget* parent, const FileRequest& request) = 0;
    // Tells the user what went wrong; does not wait for the answer.
    virtual void showError(QWidget* parent, const QString& title, const QString& text) = 0;
    // A yes-or-no question; true for yes.
    virtual bool ask(QWidget* parent, const QString& title, const QString& question) = 0;
    // Asks whether to replace a file, with "Replace" and "Cancel", Cancel
    // the default; true for Replace.
    virtual bool askReplace(QWidget* parent, const QString& title, const QString& question) = 0;

    // The file to save to: the chooser's answer with the filter's suffix
    // added where it is missing. When that file exists the user is asked
    // once whether to replace it; Cancel shows the chooser again. Empty
    // when the user closes the chooser.
    QString chooseFileToSave(QWidget* parent, FileRequest request);
};

} // namespace scenewright::gui
