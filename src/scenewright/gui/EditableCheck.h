#pragma once

#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QTimer;
class QToolButton;

namespace scenewright::gui {

class WrappingCheckBox;

// A check box that switches something on or off and opens its editor, with
// a small "Edit" button beside it that opens the editor without changing
// the tick. A double-click on the caption opens the editor too; a single
// click on the caption ticks, as on any check box, once the moment for a
// double-click has passed.
class EditableCheck : public QWidget {
    Q_OBJECT
public:
    explicit EditableCheck(const QString& caption, QWidget* parent = nullptr);

    QCheckBox* checkBox() const;
    QAbstractButton* editButton() const;

signals:
    // The user ticked or unticked the box.
    void clicked(bool checked);
    // The user asked for the editor without changing the tick.
    void editRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WrappingCheckBox* box_;
    QToolButton* edit_;
    // A click on the caption waits here for a second click.
    QTimer* pendingClick_;
    bool pressedOnCaption_ = false;
    bool doubleClicked_ = false;
};

} // namespace scenewright::gui
