#include "scenewright/gui/AnimateTexturePanel.h"

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/NumberParser.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/FieldText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>

namespace scenewright::gui {

AnimateTexturePanel::AnimateTexturePanel()
{
    EditorStyle::applyTo(this);
    QGridLayout* layout = body();
    description_ = EditorStyle::descriptionArea();
    url_ = new QLineEdit;
    textureList_ = new QListWidget;
    textureList_->setObjectName("textures");
    textureList_->setMinimumHeight(70);
    textureList_->setMaximumHeight(90);
    delay_ = new QLineEdit;
    revolutions_ = new QLineEdit;
    primitiveName_ = new QLineEdit;
    findFaces_ = new QLineEdit;
    findTextureUrl_ = new QLineEdit;
    auto* add = new QPushButton(tr("Add Texture URL"));
    auto* remove = new QPushButton(tr("Remove texture from list"));
    auto* save = addButton(tr("Save and Close"));
    auto* close = addButton(tr("Close"));

    int row = 0;
    layout->addWidget(EditorStyle::heading(tr("Animate texture on your object")), row++, 0, 1, 2);
    layout->addWidget(description_, row++, 0, 1, 2);
    layout->addWidget(url_, row, 0);
    layout->addWidget(add, row++, 1);
    layout->addWidget(textureList_, row, 0);
    layout->addWidget(remove, row++, 1, Qt::AlignTop);
    // The named fields in a grid of their own, so that their captions do
    // not share a column with the list.
    auto* named = new QGridLayout;
    const std::pair<const char*, QLineEdit*> fields[] = {
        {QT_TR_NOOP("Animate Delay (seconds)"), delay_},
        {QT_TR_NOOP("Max revolutions (0=infinite)"), revolutions_},
        {QT_TR_NOOP("Primitive name (for Models)"), primitiveName_},
        {QT_TR_NOOP("Find face number"), findFaces_},
        {QT_TR_NOOP("Find texture URL"), findTextureUrl_}};
    int fieldRow = 0;
    for (const auto& [caption, field] : fields) {
        named->addWidget(new QLabel(tr(caption)), fieldRow, 0);
        named->addWidget(field, fieldRow++, 1);
    }
    named->setColumnStretch(1, 1);
    layout->addLayout(named, row++, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(add, &QPushButton::clicked, this, &AnimateTexturePanel::addTexture);
    connect(remove, &QPushButton::clicked, this, &AnimateTexturePanel::removeSelectedTexture);
    connect(save, &QPushButton::clicked, this, &AnimateTexturePanel::saveAndClose);
    connect(close, &QPushButton::clicked, this, &AnimateTexturePanel::closeEditor);
}

void AnimateTexturePanel::reloadFromModel()
{
    if (action_)
        setAction(action_);
}

void AnimateTexturePanel::setAction(std::shared_ptr<core::action::AtmoAction> action)
{
    action_ = std::dynamic_pointer_cast<core::action::AnimateTextureAction>(action);
    data_.clear();
    errorLabel()->setText("");
    if (!action_) {
        showTextures();
        return;
    }
    description_->setText(QString::fromStdString(action_->getDescription().value_or("")));
    delay_->setText(FieldText::number(action_->animateDelay));
    revolutions_->setText(FieldText::number(action_->maxrevolutions));
    primitiveName_->setText(FieldText::of(action_->primitiveName));
    for (const auto& texture : action_->textures)
        data_ << QString::fromStdString(texture);
    // Always redrawn, so no entry of a previously loaded action stays listed.
    showTextures();
    findFaces_->setText(FieldText::of(action_->findfaces));
    findTextureUrl_->setText(FieldText::of(action_->findtextureurl));
    scrollToTop();
}

void AnimateTexturePanel::showTextures()
{
    textureList_->clear();
    textureList_->addItems(data_);
}

void AnimateTexturePanel::addTexture()
{
    if (FieldText::trimmed(url_->text()).isEmpty())
        return;
    data_ << url_->text();
    showTextures();
}

void AnimateTexturePanel::removeSelectedTexture()
{
    const int row = textureList_->currentRow();
    if (row < 0 || row >= data_.size() || !textureList_->currentItem()->isSelected())
        return;
    data_.removeAt(row);
    showTextures();
}

std::optional<std::vector<int>> AnimateTexturePanel::faceNumbers(const QString& text)
{
    static const QRegularExpression separators("[,\\s]+");
    std::vector<int> faces;
    for (const QString& token : text.split(separators, Qt::SkipEmptyParts)) {
        const auto face = core::NumberParser::parseInt(token.toStdString());
        if (!face)
            return std::nullopt;
        faces.push_back(*face);
    }
    if (faces.empty())
        return std::nullopt;
    return faces;
}

void AnimateTexturePanel::saveAndClose()
{
    if (!action_)
        return;
    core::SceneDocument& scene = *document();
    const auto step = scene.step("Save Action");
    const QString primitive = primitiveName_->text();
    const core::IAtmoObject* owner = action_->getOwnerObject();
    if (dynamic_cast<const core::ModelObj*>(owner) && FieldText::trimmed(primitive).isEmpty()) {
        errorLabel()->setText(tr("For your current model '") + QString::fromStdString(owner->toString())
                             + "', you must set a 'Primitive name'");
        return;
    }
    if (!FieldText::trimmed(primitive).isEmpty())
        scene.setFieldValue(*action_, "primitiveName", std::optional<std::string>(primitive.toStdString()));

    const auto delay = core::NumberParser::parseDouble(delay_->text().toStdString());
    if (!delay) {
        errorLabel()->setText(tr("Animate delay must be a real number"));
        return;
    }
    scene.setFieldValue(*action_, "animateDelay", *delay);
    const auto revolutions = core::NumberParser::parseInt(revolutions_->text().toStdString());
    if (!revolutions) {
        errorLabel()->setText(tr("Max revolutions must be an whole number"));
        return;
    }
    scene.setFieldValue(*action_, "maxrevolutions", *revolutions);
    scene.setFieldValue(*action_, "primitiveName", std::optional<std::string>(primitive.toStdString()));

    std::vector<std::string> textures;
    for (int row = 0; row < textureList_->count(); ++row)
        textures.push_back(textureList_->item(row)->text().toStdString());
    scene.setFieldValue(*action_, "textures", textures);

    if (!FieldText::trimmed(findFaces_->text()).isEmpty()) {
        const auto faces = faceNumbers(findFaces_->text());
        if (!faces) {
            errorLabel()->setText(tr("'Find faces' must be numbers. eg. '1, 4, 5' or '2', etc."));
            return;
        }
        scene.setFieldValue(*action_, "findfaces", faces);
        scene.setFieldValue(*action_, "findtextureurl", std::optional<std::string>(std::string()));
    }
    if (!FieldText::trimmed(findTextureUrl_->text()).isEmpty()) {
        scene.setFieldValue(*action_, "findtextureurl",
                             std::optional<std::string>(findTextureUrl_->text().toStdString()));
        scene.setFieldValue(*action_, "findfaces", std::optional<std::vector<int>>());
    }
    errorLabel()->setText("");
    emit closeRequested();
}

void AnimateTexturePanel::closeEditor()
{
    emit closeRequested();
}

} // namespace scenewright::gui
