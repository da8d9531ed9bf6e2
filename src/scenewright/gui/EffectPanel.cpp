#include "scenewright/gui/EffectPanel.h"

#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/World.h"
#include "scenewright/gui/ColourChooserRow.h"
#include "scenewright/gui/EditingArea.h"
#include "scenewright/gui/Fonts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace scenewright::gui {

EffectPanel::EffectPanel(const Texts& texts, const std::vector<NumberRow>& rows, QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* layout = new QGridLayout(this);
    int row = 0;

    auto* heading = new QLabel(texts.heading);
    heading->setFont(Fonts::dialog(13, true));
    layout->addWidget(heading, row++, 0, 1, 4);

    for (const NumberRow& number : rows) {
        auto* field = new QLineEdit(number.initialText);
        field->setMaximumWidth(90);
        layout->addWidget(new QLabel(number.caption), row, 0);
        layout->addWidget(field, row, 1);
        layout->addWidget(new QLabel(number.hint), row, 2);
        QSlider* slider = nullptr;
        if (number.sliderMaximum > 0) {
            slider = new QSlider(Qt::Horizontal);
            slider->setRange(0, number.sliderMaximum);
            slider->setValue(50);
            layout->addWidget(slider, row, 3);
        }
        fields_.push_back(field);
        sliders_.push_back(slider);
        ++row;
    }

    auto* help = new QLabel(texts.help);
    help->setWordWrap(true);
    layout->addWidget(help, row++, 0, 1, 4);

    colourRow_ = new ColourChooserRow(texts.colourChooserTitle, texts.colourHint, this);
    layout->addWidget(colourRow_, row++, 0, 1, 4);

    controlPanelBox_ = new QCheckBox(texts.controlPanelCheck);
    layout->addWidget(controlPanelBox_, row++, 0, 1, 4);

    auto* ok = new QPushButton("Ok");
    auto* cancel = new QPushButton("Cancel");
    connect(ok, &QPushButton::clicked, this, &EffectPanel::jButton1_actionPerformed);
    connect(cancel, &QPushButton::clicked, this, &EffectPanel::jButton2_actionPerformed);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    layout->addLayout(buttons, row++, 0, 1, 4);

    errorLabel_ = new QLabel(" ");
    QPalette palette = errorLabel_->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    errorLabel_->setPalette(palette);
    errorLabel_->setWordWrap(true);
    layout->addWidget(errorLabel_, row++, 0, 1, 4);

    layout->setColumnStretch(3, 1);
}

void EffectPanel::setup()
{
    world_ = core::ObjectManager::getInstance().getWorld();
    if (world_)
        load(*world_);
}

QString EffectPanel::fieldText(int row) const
{
    return fields_.at(row)->text();
}

void EffectPanel::jButton1_actionPerformed()
{
    if (!world_)
        world_ = core::ObjectManager::getInstance().getWorld();
    if (!world_)
        return;
    if (auto refusal = store(*world_)) {
        errorLabel_->setText(*refusal);
        return;
    }
    colourRow_->forgetChooser();
    errorLabel_->setText(" ");
    EditingArea::closeEditor(this);
}

void EffectPanel::jButton2_actionPerformed()
{
    EditingArea::closeEditor(this);
}

} // namespace scenewright::gui
