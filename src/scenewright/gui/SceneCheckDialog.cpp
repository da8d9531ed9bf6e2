#include "scenewright/gui/SceneCheckDialog.h"

#include "scenewright/core/IAtmoObject.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace scenewright::gui {

SceneCheckDialog::SceneCheckDialog(QWidget* parent, std::vector<core::SceneCheck::Problem> problems,
                                   Purpose purpose)
    : QDialog(parent), problems_(std::move(problems))
{
    setWindowTitle(tr("Check Scene"));
    resize(640, 320);

    QString summary;
    if (problems_.empty())
        summary = tr("No problems found.");
    else if (problems_.size() == 1)
        summary = tr("1 problem found. Double-click it to select its object.");
    else
        summary = tr("%1 problems found. Double-click one to select its object.").arg(problems_.size());
    if (purpose == Purpose::BeforeSaving && !problems_.empty())
        summary += " The script can be saved all the same.";
    auto* caption = new QLabel(summary);
    caption->setObjectName("summary");
    caption->setWordWrap(true);

    list_ = new QTreeWidget;
    list_->setObjectName("problemList");
    list_->setColumnCount(2);
    list_->setHeaderLabels({tr("Object"), tr("Problem")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setWordWrap(false);
    for (std::size_t index = 0; index < problems_.size(); ++index) {
        const auto& problem = problems_[index];
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(problem.object->getDisplayName()),
                                                 QString::fromStdString(problem.text)});
        item->setToolTip(1, item->text(1));
        item->setData(0, Qt::UserRole, static_cast<int>(index));
    }
    list_->resizeColumnToContents(0);
    list_->header()->setStretchLastSection(true);
    list_->setVisible(!problems_.empty());
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &SceneCheckDialog::choose);

    auto* buttons = new QDialogButtonBox;
    if (purpose == Purpose::BeforeSaving) {
        buttons->addButton(tr("Save Anyway"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QDialogButtonBox::Cancel);
    } else {
        buttons->addButton(QDialogButtonBox::Close);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    if (problems_.empty())
        layout->addStretch(1);
    layout->addWidget(buttons);
    if (problems_.empty())
        resize(360, 120);
}

void SceneCheckDialog::choose(QTreeWidgetItem* item)
{
    const int index = item->data(0, Qt::UserRole).toInt();
    emit objectChosen(problems_.at(index).object);
}

} // namespace scenewright::gui
