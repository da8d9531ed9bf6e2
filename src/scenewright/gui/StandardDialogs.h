#pragma once

#include <QString>

class QWidget;

namespace scenewright::gui {

class SuffixFileFilter;

// The standard dialogs through which the program asks the user something:
// file choosers and message boxes. The program shows Qt's; tests put in
// answers of their own, so that no test waits on a dialog.
class StandardDialogs {
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
};

} // namespace scenewright::gui
