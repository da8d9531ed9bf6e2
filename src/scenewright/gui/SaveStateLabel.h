#pragma once

#include <QLabel>

namespace scenewright::gui {

// A label whose text colour shows the project's save state: black when
// saved, red otherwise.
class SaveStateLabel : public QLabel {
    Q_OBJECT
public:
    SaveStateLabel(const QString& text, QWidget* parent);

    // Shown in black when saved, in red otherwise.
    void showSaved(bool saved);
};

} // namespace scenewright::gui
