#include "scenewright/gui/SoundPanel.h"

#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/core/script/Sounds.h"
#include "scenewright/gui/FieldText.h"
#include "scenewright/gui/Fonts.h"
#include "scenewright/gui/IListUpdate.h"
#include "scenewright/gui/WrappingCheckBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace scenewright::gui {

using core::script::Sounds;

namespace {

// The decimal fields after the volume and the repeats, in the order a
// save reads them.
struct DecimalField {
    SoundPanel::Field field;
    const char* caption;
    const char* notANumber;
    double Sounds::*member;
};

constexpr DecimalField decimalFields[] = {
    {SoundPanel::FIELD_NEAR, QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "Near"), QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "'Near' must be a number"), &Sounds::near},
    {SoundPanel::FIELD_FAR, QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "Far"), QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "'Far' must be a number"), &Sounds::far},
    {SoundPanel::FIELD_X, QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "X Pos"), QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "'X Pos' must be a number"), &Sounds::x},
    {SoundPanel::FIELD_Y, QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "Y Pos"), QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "'Y Pos' must be a number"), &Sounds::y},
    {SoundPanel::FIELD_Z, QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "Z Pos"), QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "'Z Pos' must be a number"), &Sounds::z},
};

const char* const volumeRange = QT_TRANSLATE_NOOP("scenewright::gui::SoundPanel", "Volume must be between 0.0 and 1.0");

QLineEdit* numberField(const QString& text)
{
    auto* field = new QLineEdit(text);
    field->setMaximumWidth(90);
    return field;
}

} // namespace

const char* const SoundPanel::helpText = QT_TR_NOOP(
    "Enables the script to add sound to the world. Presently, .WAV and .MP3 formats are supported. \"File name\" "
    "is the location of the .wav/.mp3 file. Place the file in the same location as this script.  \"Near\" is the "
    "distance within which the sound is at a maximum. \"Far\" determines where the sound is not audible ");

SoundPanel::SoundPanel(QWidget* parent) : EditorFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    QGridLayout* layout = body();

    auto* heading = new QLabel(tr("Ambient Sound"));
    heading->setFont(Fonts::dialog(13, true));
    layout->addWidget(heading, 0, 0, 1, 3);
    auto* help = new QLabel(tr(helpText));
    help->setWordWrap(true);
    layout->addWidget(help, 1, 0, 1, 3);

    fields_[FIELD_FILENAME] = new QLineEdit;
    layout->addWidget(new QLabel(tr("File name")), 2, 0);
    layout->addWidget(fields_[FIELD_FILENAME], 2, 1, 1, 2);

    fields_[FIELD_VOLUME] = numberField("0.5");
    layout->addWidget(new QLabel(tr("Volume")), 3, 0);
    layout->addWidget(fields_[FIELD_VOLUME], 3, 1);
    layout->addWidget(new QLabel(tr("(0=min, 1=max) ")), 3, 2);
    volumeSlider_ = new QSlider(Qt::Horizontal);
    volumeSlider_->setRange(0, 100);
    volumeSlider_->setValue(50);
    volumeSlider_->setFixedSize(100, 24);
    connect(volumeSlider_, &QSlider::valueChanged, this, &SoundPanel::showVolume);
    layout->addWidget(volumeSlider_, 4, 1, 1, 2, Qt::AlignLeft);

    fields_[FIELD_REPEATS] = numberField("1");
    layout->addWidget(new QLabel(tr("Repeats")), 5, 0);
    layout->addWidget(fields_[FIELD_REPEATS], 5, 1);
    layout->addWidget(new QLabel(tr("(0 = always on)")), 5, 2);

    fields_[FIELD_NEAR] = numberField("1");
    layout->addWidget(new QLabel(tr("Near")), 6, 0, 2, 1);
    layout->addWidget(fields_[FIELD_NEAR], 6, 1);
    layout->addWidget(new QLabel(tr("(in feet)")), 7, 1);

    fields_[FIELD_FAR] = numberField("50");
    layout->addWidget(new QLabel(tr("Far")), 8, 0);
    layout->addWidget(fields_[FIELD_FAR], 8, 1);
    layout->addWidget(new QLabel(tr("(in fee)")), 8, 2);

    controlPanelBox_ = new WrappingCheckBox(tr("Add Control Panel buttons to enable/disable sound"));
    layout->addWidget(controlPanelBox_, 9, 0, 1, 3);

    layout->addWidget(buildPositionalGroup(), 10, 0, 1, 3);
    layout->setColumnStretch(2, 1);

    connect(addButton(tr("Add Sound")), &QPushButton::clicked, this, &SoundPanel::addSound);
    connect(addButton(tr("Cancel")), &QPushButton::clicked, this, &SoundPanel::cancel);
    errorLabel()->setText(" ");
}

QWidget* SoundPanel::buildPositionalGroup()
{
    auto* group = new QFrame;
    group->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* layout = new QGridLayout(group);

    auto* heading = new QLabel(tr("Positional Sound"));
    heading->setFont(Fonts::dialog(13, true));
    layout->addWidget(heading, 0, 0, 1, 6);
    auto* explanation = new QLabel(tr("Currently, your sound is set to ambience (can be heard anywhere within the "
                                   "world). You can set it to emit from a position within your world below"));
    explanation->setWordWrap(true);
    layout->addWidget(explanation, 1, 0, 1, 6);
    positionedBox_ = new WrappingCheckBox(tr("Enable positioned sound (uncheck if you prefer to set to ambience)"));
    layout->addWidget(positionedBox_, 2, 0, 1, 6);

    // One coordinate to a row, so that all three show whole in a narrow panel.
    const std::pair<Field, const char*> positions[] = {{FIELD_X, QT_TR_NOOP("X Pos = ")},
                                                       {FIELD_Y, QT_TR_NOOP("Y Pos = ")},
                                                       {FIELD_Z, QT_TR_NOOP("Z pos = ")}};
    int row = 3;
    for (const auto& [which, caption] : positions) {
        fields_[which] = numberField("0");
        layout->addWidget(new QLabel(tr(caption)), row, 0);
        layout->addWidget(fields_[which], row++, 1);
    }
    layout->setColumnStretch(5, 1);
    return group;
}

void SoundPanel::setup(IListUpdate* parent, std::shared_ptr<Sounds> sound)
{
    soundobj_ = std::move(sound);
    parent_ = parent;
    const Sounds& shown = *soundobj_;
    fields_[FIELD_FILENAME]->setText(shown.filename ? QString::fromStdString(*shown.filename) : QString());
    fields_[FIELD_VOLUME]->setText(FieldText::number(shown.volume));
    fields_[FIELD_REPEATS]->setText(QString::number(shown.repeats));
    for (const DecimalField& decimal : decimalFields)
        fields_[decimal.field]->setText(FieldText::number(shown.*decimal.member));
    controlPanelBox_->setChecked(shown.addControlPanelButtons);
    positionedBox_->setChecked(shown.enablePositions);
    // Each sound opens at the top of the editor, not where the last one was left.
    scrollToTop();
}

std::optional<QString> SoundPanel::checkTextfield(const QString& label, const QLineEdit* field)
{
    return FieldText::emptyMessage(label, field ? field->text() : QString());
}

void SoundPanel::showVolume(int value)
{
    fields_[FIELD_VOLUME]->setText(FieldText::number(value / 100.0));
}

std::optional<QString> SoundPanel::read(Sounds& values, bool& stored) const
{
    if (auto empty = checkTextfield(tr("File name"), fields_[FIELD_FILENAME]))
        return empty;

    // A volume outside 0 to 1 is refused, not stored.
    const auto volume = FieldText::decimal(tr("Volume"), fields_[FIELD_VOLUME]->text(), tr(volumeRange));
    if (!volume.value)
        return volume.refusal;
    if (*volume.value < 0.0 || *volume.value > 1.0)
        return tr(volumeRange);
    values.volume = *volume.value;
    stored = true;

    const auto repeats =
        FieldText::whole(tr("Repeats"), fields_[FIELD_REPEATS]->text(), tr("'Repeats' must be a whole number"));
    if (!repeats.value)
        return repeats.refusal;
    values.repeats = *repeats.value;

    for (const DecimalField& decimal : decimalFields) {
        const auto number = FieldText::decimal(tr(decimal.caption), fields_[decimal.field]->text(), tr(decimal.notANumber));
        if (!number.value)
            return number.refusal;
        values.*decimal.member = *number.value;
    }

    values.filename = fields_[FIELD_FILENAME]->text().toStdString();
    values.enablePositions = positionedBox_->isChecked();
    values.addControlPanelButtons = controlPanelBox_->isChecked();
    return std::nullopt;
}

void SoundPanel::keep(core::World& world, const Sounds& values)
{
    const auto& listed = world.getSoundList();
    if (std::find(listed.begin(), listed.end(), soundobj_) != listed.end())
        document()->setSound(world, *soundobj_, values);
    else
        *soundobj_ = values;
}

void SoundPanel::addSound()
{
    const auto world = document() ? document()->world() : nullptr;
    if (!world || !soundobj_)
        return;
    // Storing the values and adding the sound are one undo step.
    const auto step = document()->step("Save Sound");
    Sounds values = *soundobj_;
    bool stored = false;
    if (auto refusal = read(values, stored)) {
        if (stored)
            keep(*world, values);
        errorLabel()->setText(*refusal);
        return;
    }
    keep(*world, values);
    errorLabel()->setText(" ");
    try {
        document()->addSound(*world, soundobj_);
    } catch (const core::IdsExhausted& exhausted) {
        errorLabel()->setText(QString::fromUtf8(exhausted.what()));
        return;
    }
    if (parent_)
        parent_->updateLists();
    emit closeRequested();
}

void SoundPanel::cancel()
{
    if (parent_)
        parent_->updateLists();
    emit closeRequested();
}

} // namespace scenewright::gui
