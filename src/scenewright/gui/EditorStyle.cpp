#include "scenewright/gui/EditorStyle.h"

#include "scenewright/gui/Fonts.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>

namespace scenewright::gui {

namespace {
const QColor lavender(0xEE, 0xEA, 0xFA);
const QColor errorRed(0xC0, 0x00, 0x00);
} // namespace

void EditorStyle::applyTo(QFrame* panel)
{
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, lavender);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

QLabel* EditorStyle::heading(const QString& text)
{
    auto* label = new QLabel(text);
    label->setFont(Fonts::dialog(13, true));
    label->setWordWrap(true);
    return label;
}

QLabel* EditorStyle::errorLabel()
{
    auto* label = new QLabel;
    label->setObjectName("errorLabel");
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, errorRed);
    label->setPalette(palette);
    return label;
}

QLabel* EditorStyle::descriptionArea()
{
    auto* area = new QLabel;
    area->setObjectName("description");
    area->setTextFormat(Qt::PlainText);
    area->setWordWrap(true);
    area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area->setTextInteractionFlags(Qt::TextSelectableByMouse);
    area->setFont(Fonts::sansSerif());
    return area;
}

QLabel* EditorStyle::helpText(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setFont(Fonts::sansSerif());
    return label;
}

} // namespace scenewright::gui
