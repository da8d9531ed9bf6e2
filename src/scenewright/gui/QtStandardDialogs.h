#pragma once

#include "scenewright/gui/StandardDialogs.h"

namespace scenewright::gui {

// The standard dialogs as Qt shows them.
class QtStandardDialogs : public StandardDialogs {
public:
    QString chooseFile(QWidget* parent, const FileRequest& request) override;
    void showError(QWidget* parent, const QString& title, const QString& text) override;
    bool ask(QWidget* parent, const QString& title, const QString& question) override;
    bool askReplace(QWidget* parent, const QString& title, const QString& question) override;
};

} // namespace scenewright::gui
