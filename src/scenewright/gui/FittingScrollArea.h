#pragma once

#include <QScrollArea>

namespace scenewright::gui {

// A scroll area that asks for as much room as its content wants at the
// width the area has, and scrolls only when it gets less: a short editor
// shows without a scroll bar and ends where its fields end, a tall one
// scrolls inside the room there is.
class FittingScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit FittingScrollArea(QWidget* content, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace scenewright::gui
