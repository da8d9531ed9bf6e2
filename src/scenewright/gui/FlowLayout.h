#pragma once

#include <QLayout>
#include <QList>

namespace scenewright::gui {

// Lays its items out in a row and starts a new row where the width runs
// out, so that a row of buttons stays whole in a narrow panel. Each row is
// aligned to the left or to the right.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(Qt::Alignment rowAlignment = Qt::AlignLeft, QWidget* parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in the rectangle, or only measures when `place` is
    // false; returns the height the rows take.
    int arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> items_;
    Qt::Alignment rowAlignment_;
};

} // namespace scenewright::gui
