#pragma once

#include <QDialog>

namespace scenewright {

// The about box: the version, a short introduction and an "Ok" button.
class Frame1_AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit Frame1_AboutBox(QWidget* parent);

    static const char* const introduction;
};

} // namespace scenewright
