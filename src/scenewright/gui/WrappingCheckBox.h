#pragma once

#include <QCheckBox>

namespace scenewright::gui {

// A check box whose caption wraps onto further lines where its width runs
// out, instead of being cut or holding its panel wide. The whole caption
// ticks it, as on any check box.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit WrappingCheckBox(const QString& text, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    // Whether the point (in the check box) is on its tick box rather than
    // on its caption.
    bool isOnIndicator(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& point) const override;

private:
    QRect indicatorRect() const;
    QRect captionRect() const;
    // The caption's height when it wraps at the width.
    int captionHeight(int width) const;
    // The room above and below the caption that a one-line check box has.
    int verticalPadding() const;
    int captionLeft() const;
};

} // namespace scenewright::gui
