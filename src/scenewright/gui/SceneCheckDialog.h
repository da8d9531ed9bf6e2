#pragma once

#include "scenewright/core/SceneCheck.h"

#include <QDialog>

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace scenewright::gui {

// Lists what a check of the scene found, each problem beside the object it
// concerns; double-clicking one selects that object in the main window. On
// its own it only reports; before a save it lets the user save anyway or
// cancel.
class SceneCheckDialog : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { Review, BeforeSaving };

    SceneCheckDialog(QWidget* parent, std::vector<core::SceneCheck::Problem> problems, Purpose purpose);

    QTreeWidget* problemList() const { return list_; }

signals:
    // The object of the problem the user double-clicked.
    void objectChosen(const std::shared_ptr<core::IAtmoObject>& object);

private:
    void choose(QTreeWidgetItem* item);

    std::vector<core::SceneCheck::Problem> problems_;
    QTreeWidget* list_;
};

} // namespace scenewright::gui
