#pragma once

#include "scenewright/sim/Simulation.h"

#include "scenewright/gui/ScriptPanel.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class QCheckBox;
class QGridLayout;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSlider;
class QVBoxLayout;

namespace scenewright::gui {

class StandardDialogs;

// The test run: the project's script runs against a simulated world; the
// user clicks objects, moves the actor towards them, switches the control
// panel's toggles and lets time pass, and the log shows every call the
// script makes to the world. Double-clicking a script error opens the
// script view at the error's line.
class TestRunDialog : public QDialog {
    Q_OBJECT
public:
    // Farthest distance a slider sets; at its end the actor stands far away.
    static constexpr int kSliderReach = 100;

    // A run of the source's script. When too few numbers are left to name
    // the objects it throws IdsExhausted; when the simulated world cannot be
    // loaded, SimulationLoader::Unavailable.
    TestRunDialog(QWidget* parent, StandardDialogs& dialogs, ScriptPanel::Source source);
    ~TestRunDialog() override;

    sim::Simulation& world() { return *world_; }
    QListWidget* logList() const { return log_; }
    QLabel* timeLabel() const { return timeLabel_; }
    QPushButton* stepButton() const { return stepButton_; }
    QPushButton* runButton() const { return runButton_; }
    QPushButton* resetButton() const { return resetButton_; }
    QCheckBox* connectedBox() const { return connectedBox_; }
    // Null when the scene has no such object or the world no such toggle.
    QPushButton* clickButton(const QString& object) const;
    QSlider* distanceSlider(const QString& object) const;
    QCheckBox* toggleBox(const QString& label) const;

    // Opens the script view with the script generated and the caret on the
    // line (counted from 1); returns the dialog.
    QDialog* openScriptAtLine(int line);

private:
    struct ObjectRow {
        QPushButton* click;
        QSlider* slider;
        QLabel* distance;
    };

    QWidget* buildObjectRows();
    QWidget* buildControls();
    void reset();
    // Puts what the script cannot do by its nature at the top of the log.
    void showWarnings();
    void approach(const QString& object, int distance);
    // Shows what the run did since the last refresh: new log lines, the
    // time, the actor's distances and the toggles.
    void refresh();
    void refreshToggles();
    void openErrorLine(QListWidgetItem* item);

    StandardDialogs& dialogs_;
    ScriptPanel::Source source_;
    std::unique_ptr<sim::Simulation> world_;
    std::size_t shownEntries_ = 0;
    std::map<QString, ObjectRow> rows_;
    std::map<QString, QCheckBox*> toggles_;
    QStringList warnings_;

    QListWidget* log_;
    QLabel* timeLabel_;
    QPushButton* stepButton_;
    QPushButton* runButton_;
    QPushButton* resetButton_;
    QCheckBox* connectedBox_;
    QVBoxLayout* toggleLayout_;
    QLabel* noTogglesLabel_;
};

} // namespace scenewright::gui
