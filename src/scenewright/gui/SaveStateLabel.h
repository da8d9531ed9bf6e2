#pragma once

#include "scenewright/core/ISaveStateLabel.h"

#include <QLabel>

namespace scenewright::gui {

// A label whose text colour shows the project's save state: black when
// saved, red otherwise.
class SaveStateLabel : public QLabel, public core::ISaveStateLabel {
    Q_OBJECT
public:
    SaveStateLabel(const QString& text, QWidget* parent);

    void showSaved(bool saved) override;
};

} // namespace scenewright::gui
