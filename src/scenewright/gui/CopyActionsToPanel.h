#pragma once

#include <QFrame>
#include <QStringList>

#include <memory>
#include <vector>

class QComboBox;
class QDialog;
class QGridLayout;
class QListWidget;

namespace scenewright::core {
class IAtmoObject;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::gui {

// Copies the triggers and actions of one object onto other objects, at
// once, replacing theirs. The world and the actor are never offered.
class CopyActionsToPanel : public QFrame {
    Q_OBJECT
public:
    // The panel closes the dialog that hosts it.
    CopyActionsToPanel(std::shared_ptr<core::SceneDocument> document, QDialog* dialog);

    // Adds a line of the results area on the row.
    void addLabel(const QString& text, int row);
    QStringList results() const;

    QComboBox* sourceBox() const { return source_; }
    QListWidget* targetList() const { return targets_; }

public slots:
    void copy();

signals:
    // The objects whose triggers and actions were replaced.
    void copied(const std::vector<std::shared_ptr<core::IAtmoObject>>& targets);
    // A copy could not be made; the message says why.
    void refused(const QString& message);

private:
    void clearResults();

    std::shared_ptr<core::SceneDocument> document_;
    std::vector<std::shared_ptr<core::IAtmoObject>> offered_;
    QDialog* dialog_;
    QComboBox* source_;
    QListWidget* targets_;
    QWidget* resultsArea_;
    QGridLayout* results_;
};

} // namespace scenewright::gui
