#include "scenewright/gui/WrappingCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace scenewright::gui {

namespace {
constexpr int captionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
constexpr int unbounded = 1 << 20;
} // namespace

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int WrappingCheckBox::captionLeft() const
{
    return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this)
           + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
}

int WrappingCheckBox::verticalPadding() const
{
    const int line = std::max(fontMetrics().height(), style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this));
    return std::max(0, QCheckBox::sizeHint().height() - line);
}

int WrappingCheckBox::captionHeight(int width) const
{
    const int room = std::max(1, width - captionLeft());
    return fontMetrics().boundingRect(QRect(0, 0, room, unbounded), captionFlags, text()).height();
}

QSize WrappingCheckBox::minimumSizeHint() const
{
    // As narrow as the longest word of the caption.
    int widest = 0;
    for (const QString& word : text().split(' ', Qt::SkipEmptyParts))
        widest = std::max(widest, fontMetrics().horizontalAdvance(QString(word).replace("&&", "&")));
    return {captionLeft() + widest, QCheckBox::sizeHint().height()};
}

bool WrappingCheckBox::hasHeightForWidth() const
{
    return true;
}

int WrappingCheckBox::heightForWidth(int width) const
{
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    return std::max(indicator, captionHeight(width)) + verticalPadding();
}

QRect WrappingCheckBox::indicatorRect() const
{
    const int width = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
    const int height = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    // Level with the caption's first line.
    const int top = verticalPadding() / 2 + std::max(0, (fontMetrics().height() - height) / 2);
    return {0, top, width, height};
}

QRect WrappingCheckBox::captionRect() const
{
    const int top = verticalPadding() / 2;
    return {captionLeft(), top, std::max(0, width() - captionLeft()), std::max(0, height() - 2 * top)};
}

bool WrappingCheckBox::isOnIndicator(const QPoint& point) const
{
    return point.x() < captionLeft();
}

bool WrappingCheckBox::hitButton(const QPoint& point) const
{
    return rect().contains(point);
}

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = indicatorRect();
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const QRect caption = captionRect();
    painter.drawItemText(caption, captionFlags, option.palette, isEnabled(), text(), QPalette::WindowText);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = fontMetrics().boundingRect(caption, captionFlags, text()).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace scenewright::gui
