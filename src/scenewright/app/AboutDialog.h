#pragma once

#include <QDialog>

namespace scenewright::app {

// The about box: the version, a short introduction and an "Ok" button.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent);

    static const char* const introduction;
};

} // namespace scenewright::app
