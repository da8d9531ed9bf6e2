#pragma once

#include "scenewright/gui/DefaultAtmoTriggerPanel.h"

class QLineEdit;
class QLabel;

namespace scenewright::gui {

// The trigger editor with the proximity trigger's own fields: the distance,
// checked before anything is saved, and whether it fires continuously.
class ProximityTriggerPanel : public DefaultAtmoTriggerPanel {
    Q_OBJECT
public:
    ProximityTriggerPanel();

    QLineEdit* distanceField() const { return distance_; }
    QCheckBox* continuousBox() const { return continuous_; }

protected:
    void loadFields() override;
    bool saveFields() override;

private:
    QLineEdit* distance_;
    QCheckBox* continuous_;
    QLabel* description_;
};

} // namespace scenewright::gui
