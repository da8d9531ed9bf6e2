#include "scenewright/gui/EffectPanel.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/gui/ColourChooserRow.h"
#include "scenewright/gui/Fonts.h"
#include "scenewright/gui/WrappingCheckBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace scenewright::gui {

EffectPanel::EffectPanel(const Texts& texts, const std::vector<NumberRow>& rows, QWidget* parent)
    : EditorFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    QGridLayout* layout = body();
    int row = 0;

    auto* heading = new QLabel(texts.heading);
    heading->setFont(Fonts::dialog(13, true));
    layout->addWidget(heading, row++, 0, 1, 3);

    for (const NumberRow& number : rows) {
        auto* field = new QLineEdit(number.initialText);
        field->setMaximumWidth(90);
        layout->addWidget(new QLabel(number.caption), row, 0);
        layout->addWidget(field, row, 1);
        layout->addWidget(new QLabel(number.hint), row++, 2);
        QSlider* slider = nullptr;
        if (number.sliderMaximum > 0) {
            slider = new QSlider(Qt::Horizontal);
            slider->setRange(0, number.sliderMaximum);
            slider->setValue(50);
            layout->addWidget(slider, row++, 1, 1, 2);
        }
        fields_.push_back(field);
        sliders_.push_back(slider);
    }

    auto* help = new QLabel(texts.help);
    help->setWordWrap(true);
    layout->addWidget(help, row++, 0, 1, 3);

    colourRow_ = new ColourChooserRow(texts.colourChooserTitle, texts.colourHint, this);
    layout->addWidget(colourRow_, row++, 0, 1, 3);

    controlPanelBox_ = new WrappingCheckBox(texts.controlPanelCheck);
    layout->addWidget(controlPanelBox_, row++, 0, 1, 3);
    layout->setColumnStretch(2, 1);

    connect(addButton(tr("Ok")), &QPushButton::clicked, this, &EffectPanel::saveAndClose);
    connect(addButton(tr("Cancel")), &QPushButton::clicked, this, &EffectPanel::cancel);
    errorLabel()->setText(" ");
}

void EffectPanel::setup()
{
    world_ = document() ? document()->world() : nullptr;
    if (world_)
        load(*world_);
    scrollToTop();
}

QString EffectPanel::fieldText(int row) const
{
    return fields_.at(row)->text();
}

void EffectPanel::saveAndClose()
{
    if (!world_)
        world_ = document() ? document()->world() : nullptr;
    if (!world_)
        return;
    if (auto refusal = store(*world_)) {
        errorLabel()->setText(*refusal);
        return;
    }
    colourRow_->forgetChooser();
    errorLabel()->setText(" ");
    emit closeRequested();
}

void EffectPanel::cancel()
{
    emit closeRequested();
}

} // namespace scenewright::gui
