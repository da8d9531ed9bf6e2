#pragma once

#include <QWidget>

class QDialog;

namespace scenewright::gui {

// Explains when a script should be localised to one object and when its
// variables should stay global.
class WhyLocaliseScriptPanel : public QWidget {
    Q_OBJECT
public:
    // Builds the panel inside the dialog, which its "Close" button closes.
    explicit WhyLocaliseScriptPanel(QDialog* dialog);

    static const char* const explanation;
};

} // namespace scenewright::gui
