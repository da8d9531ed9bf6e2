#include "scenewright/gui/ColourChooserRow.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace scenewright::gui {

ColourChooserRow::ColourChooserRow(const QString& chooserTitle, const QString& hint, QWidget* parent)
    : QWidget(parent), chooserTitle_(chooserTitle)
{
    swatch_ = new QLabel;
    swatch_->setFixedSize(24, 24);
    swatch_->setFrameStyle(QFrame::Box | QFrame::Plain);
    swatch_->setAutoFillBackground(true);
    colourText_ = new QLabel;
    colourText_->setWordWrap(true);
    auto* choose = new QPushButton(tr("Choose Colour..."));
    connect(choose, &QPushButton::clicked, this, &ColourChooserRow::chooseColour);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The button and the hint under the colour, so that the row stays
    // whole in a narrow panel.
    auto* hintLabel = new QLabel(hint);
    hintLabel->setWordWrap(true);
    layout->addWidget(new QLabel(tr(" Colour")), 0, 0);
    layout->addWidget(swatch_, 0, 1);
    layout->addWidget(colourText_, 0, 2);
    layout->addWidget(choose, 1, 0, 1, 3, Qt::AlignLeft);
    layout->addWidget(hintLabel, 2, 0, 1, 3);
    layout->setColumnStretch(2, 1);

    setColour(QColor(0, 0, 0));
}

int ColourChooserRow::component(double fraction)
{
    // Truncated after adding a half, and kept within 0 to 255 whatever the
    // model holds.
    const double scaled = fraction * 255 + 0.5;
    if (!(scaled > 0))
        return 0;
    return scaled >= 255 ? 255 : static_cast<int>(scaled);
}

double ColourChooserRow::fraction(int component)
{
    return std::floor(component / 255.0 * 100 + 0.5) / 100;
}

QColor ColourChooserRow::fromFractions(double red, double green, double blue)
{
    return QColor(component(red), component(green), component(blue));
}

QString ColourChooserRow::describe(const QColor& colour)
{
    return tr("Red=%1, Green=%2, Blue=%3").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

void ColourChooserRow::setColour(const QColor& colour)
{
    result_ = colour;
    QPalette palette = swatch_->palette();
    palette.setColor(QPalette::Window, colour);
    swatch_->setPalette(palette);
    colourText_->setText(describe(colour));
}

void ColourChooserRow::chooseColour()
{
    forgetChooser();
    jc_ = new QColorDialog(result_, this);
    jc_->setWindowTitle(chooserTitle_);
    jc_->setModal(true);
    connect(jc_, &QDialog::accepted, this, &ColourChooserRow::okListener);
    jc_->open();
}

void ColourChooserRow::okListener()
{
    if (jc_ && jc_->selectedColor().isValid())
        setColour(jc_->selectedColor());
}

void ColourChooserRow::forgetChooser()
{
    if (jc_) {
        jc_->disconnect(this);
        jc_->close();
        jc_->deleteLater();
    }
    jc_ = nullptr;
}

} // namespace scenewright::gui
