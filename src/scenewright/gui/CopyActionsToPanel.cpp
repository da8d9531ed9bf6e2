#include "scenewright/gui/CopyActionsToPanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/gui/EditorStyle.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace scenewright::gui {

namespace {
const char* const helpText = QT_TR_NOOP(
    "With this window, you can copy the actions and triggers of one object over to other objects. Please note "
    "copying actions & triggers to an object will remove any existing actions/triggers on that object. Also, "
    "actions copied will only be those which the copy-to object will allow to be run.");
// The world and the actor come first in the registry and are not copied.
constexpr std::size_t firstOffered = 2;
} // namespace

CopyActionsToPanel::CopyActionsToPanel(std::shared_ptr<core::SceneDocument> document, QDialog* dialog)
    : document_(std::move(document)), dialog_(dialog)
{
    EditorStyle::applyTo(this);
    auto* layout = new QGridLayout(this);
    source_ = new QComboBox;
    targets_ = new QListWidget;
    targets_->setObjectName("targets");
    targets_->setSelectionMode(QAbstractItemView::MultiSelection);
    // Without a project (after Close) nothing is offered.
    if (document_) {
        const auto& objects = document_->objects();
        for (std::size_t i = firstOffered; i < objects.size(); ++i) {
            offered_.push_back(objects[i]);
            const QString text = QString::fromStdString(objects[i]->toString());
            source_->addItem(text);
            targets_->addItem(text);
        }
    }

    resultsArea_ = new QWidget;
    results_ = new QGridLayout(resultsArea_);
    results_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* scroll = new QScrollArea;
    scroll->setWidget(resultsArea_);
    scroll->setWidgetResizable(true);
    auto* copyButton = new QPushButton(tr("Copy >>"));
    auto* close = new QPushButton(tr("Close"));

    layout->addWidget(EditorStyle::heading(tr("Copy Actions/Triggers")), 0, 0, 1, 3);
    layout->addWidget(EditorStyle::helpText(tr(helpText)), 1, 0, 1, 3);
    layout->addWidget(source_, 2, 0, Qt::AlignTop);
    auto* middle = new QVBoxLayout;
    middle->addWidget(copyButton);
    auto* note = new QLabel(tr("Copying is an instantaneous action"));
    note->setWordWrap(true);
    middle->addWidget(note);
    middle->addStretch();
    layout->addLayout(middle, 2, 1);
    layout->addWidget(targets_, 2, 2);
    layout->addWidget(scroll, 3, 0, 1, 3);
    layout->addWidget(close, 4, 2, Qt::AlignRight);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 2);
    targets_->setMinimumWidth(180);
    layout->setRowStretch(2, 1);
    layout->setRowStretch(3, 1);

    connect(copyButton, &QPushButton::clicked, this, &CopyActionsToPanel::copy);
    connect(close, &QPushButton::clicked, dialog_, &QDialog::accept);
}

void CopyActionsToPanel::addLabel(const QString& text, int row)
{
    results_->addWidget(new QLabel(text), row, 0);
}

QStringList CopyActionsToPanel::results() const
{
    QStringList texts;
    for (int i = 0; i < results_->count(); ++i)
        if (auto* label = qobject_cast<QLabel*>(results_->itemAt(i)->widget()))
            texts << label->text();
    return texts;
}

void CopyActionsToPanel::clearResults()
{
    while (QLayoutItem* item = results_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

void CopyActionsToPanel::copy()
{
    clearResults();
    const int source = source_->currentIndex();
    if (source < 0) {
        addLabel(tr("No object to copy"), 0);
        return;
    }
    std::vector<int> rows;
    for (const QListWidgetItem* item : targets_->selectedItems())
        rows.push_back(targets_->row(item));
    if (rows.empty()) {
        addLabel(tr("Nothing to copy to"), 0);
        return;
    }
    std::sort(rows.begin(), rows.end());

    // Copying clears the target first: the source is never its own target.
    // Copying to several targets is one undo step.
    const auto step = document_->step("Copy Triggers and Actions");
    std::vector<std::shared_ptr<core::IAtmoObject>> copiedTo;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& target = offered_[rows[i]];
        const QString text = QString::fromStdString(target->toString());
        if (rows[i] == source) {
            addLabel(text + " is the source and was skipped", static_cast<int>(i));
            continue;
        }
        try {
            document_->copyInteractions(*offered_[source], *target);
        } catch (const core::IdsExhausted& exhausted) {
            // The targets after this one would run out of numbers as well.
            addLabel(text + tr(" was not copied to"), static_cast<int>(i));
            emit refused(QString::fromUtf8(exhausted.what()));
            break;
        }
        copiedTo.push_back(target);
        addLabel(text + " was copied to", static_cast<int>(i));
    }
    resultsArea_->adjustSize();
    if (!copiedTo.empty())
        emit copied(copiedTo);
}

} // namespace scenewright::gui
