#include "TestRunDialog.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/SceneCheck.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/gui/DialogGeometry.h"
#include "scenewright/gui/ScriptPanel.h"
#include "scenewright/gui/SimulationLoader.h"
#include "scenewright/sim/SimulatedScene.h"

#include <QCheckBox>
#include <QColor>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSplitter>
#include <QTextBlock>
#include <QVBoxLayout>

#include <cmath>

namespace scenewright::gui {

namespace {

// Items of the log remember the script line of an error here.
constexpr int kLineRole = Qt::UserRole + 1;

} // namespace

namespace {

core::script::ScriptOptions optionsOf(const ScriptPanel::Source& source)
{
    return {source.document()->localiseScript(), source.synchronised && source.synchronised()};
}

} // namespace

TestRunDialog::TestRunDialog(QWidget* parent, StandardDialogs& dialogs, ScriptPanel::Source source)
    : QDialog(parent), dialogs_(dialogs), source_(std::move(source)),
      world_(SimulationLoader::start(sim::SimulatedScene::fromDocument(*source_.document(), optionsOf(source_))))
{
    const core::script::ScriptOptions options = optionsOf(source_);
    for (const core::SceneCheck::Problem& problem :
         core::SceneCheck::unreachable(source_.document()->objects(), options.localise, options.synchronise))
        warnings_ << QString::fromStdString(problem.object->getDisplayName() + ": " + problem.text);

    setWindowTitle(tr("Test Run"));
    DialogGeometry::resizeToFit(this, {900, 600});

    auto* layout = new QGridLayout(this);
    auto* intro = new QLabel(tr("The generated script runs against a simulated world. Its objects load 0.5 s "
                             "after the start; \"Step\" moves the clock on by one frame (1/30 s)."));
    intro->setWordWrap(true);
    layout->addWidget(intro, 0, 0);

    auto* split = new QSplitter(Qt::Horizontal);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(buildControls());
    leftLayout->addWidget(buildObjectRows(), 1);

    auto* toggles = new QGroupBox(tr("Control panel"));
    toggleLayout_ = new QVBoxLayout(toggles);
    noTogglesLabel_ = new QLabel(tr("The script adds no toggles."));
    toggleLayout_->addWidget(noTogglesLabel_);
    leftLayout->addWidget(toggles);

    log_ = new QListWidget;
    log_->setFont(QFont("Monospace"));
    // Warnings run longer than calls: they wrap rather than hide their end.
    log_->setWordWrap(true);
    log_->setToolTip(tr("Double-click a script error to see its line in the script."));
    connect(log_, &QListWidget::itemDoubleClicked, this, &TestRunDialog::openErrorLine);

    split->addWidget(left);
    split->addWidget(log_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({360, 540});
    layout->addWidget(split, 1, 0);
    layout->setRowStretch(1, 1);

    auto* close = new QPushButton(tr("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 2, 0, Qt::AlignRight);

    showWarnings();
    refresh();
}

TestRunDialog::~TestRunDialog() = default;

void TestRunDialog::showWarnings()
{
    for (const QString& warning : warnings_) {
        auto* item = new QListWidgetItem(tr("warning: ") + warning, log_);
        item->setForeground(QColor(0x9a, 0x60, 0x00));
        item->setToolTip(warning + tr("\nThe script cannot do this by its nature; Check Scene lists it too."));
    }
}

QWidget* TestRunDialog::buildControls()
{
    auto* box = new QWidget;
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    stepButton_ = new QPushButton(tr("Step"));
    runButton_ = new QPushButton(tr("Run 1 s"));
    resetButton_ = new QPushButton(tr("Reset"));
    timeLabel_ = new QLabel;
    connectedBox_ = new QCheckBox(tr("Chat connected"));
    connectedBox_->setChecked(true);
    connectedBox_->setToolTip(tr("Unconnected, synchronised triggers wait for the chat."));
    layout->addWidget(stepButton_, 0, 0);
    layout->addWidget(runButton_, 0, 1);
    layout->addWidget(resetButton_, 0, 2);
    layout->addWidget(timeLabel_, 1, 0);
    layout->addWidget(connectedBox_, 1, 1, 1, 2);

    connect(stepButton_, &QPushButton::clicked, this, [this] {
        world_->step();
        refresh();
    });
    connect(runButton_, &QPushButton::clicked, this, [this] {
        world_->runSeconds(1.0);
        refresh();
    });
    connect(resetButton_, &QPushButton::clicked, this, &TestRunDialog::reset);
    connect(connectedBox_, &QCheckBox::toggled, this, [this](bool on) {
        world_->setConnected(on);
        refresh();
    });
    return box;
}

QWidget* TestRunDialog::buildObjectRows()
{
    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    grid->addWidget(new QLabel(tr("<b>Object</b>")), 0, 0);
    grid->addWidget(new QLabel(tr("<b>Actor distance</b>")), 0, 2, 1, 2);

    std::vector<QString> names{"world"};
    for (const auto& object : world_->scene().objects)
        names.push_back(QString::fromStdString(object.first));
    int row = 1;
    for (const QString& name : names) {
        if (rows_.count(name))
            continue;
        auto* click = new QPushButton(tr("Click"));
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setRange(0, kSliderReach);
        slider->setValue(kSliderReach);
        slider->setToolTip(tr("Moves the actor to this distance from ") + name);
        auto* distance = new QLabel;
        distance->setMinimumWidth(QFontMetrics(distance->font()).horizontalAdvance(tr("far away")));
        auto* label = new QLabel(name);
        label->setToolTip(name);
        grid->addWidget(label, row, 0);
        grid->addWidget(click, row, 1);
        grid->addWidget(slider, row, 2);
        grid->addWidget(distance, row, 3);
        rows_[name] = {click, slider, distance};
        connect(click, &QPushButton::clicked, this, [this, name] {
            world_->click(name);
            refresh();
        });
        // A drag moves the actor once, where the handle is let go.
        connect(slider, &QSlider::valueChanged, this, [this, name, slider](int value) {
            if (!slider->isSliderDown())
                approach(name, value);
        });
        connect(slider, &QSlider::sliderReleased, this, [this, name, slider] { approach(name, slider->value()); });
        ++row;
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);

    auto* scroll = new QScrollArea;
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

void TestRunDialog::approach(const QString& object, int distance)
{
    world_->approach(object, distance);
    refresh();
}

void TestRunDialog::reset()
{
    world_->reset();
    shownEntries_ = 0;
    log_->clear();
    showWarnings();
    connectedBox_->blockSignals(true);
    connectedBox_->setChecked(true);
    connectedBox_->blockSignals(false);
    for (auto& [label, box] : toggles_)
        delete box;
    toggles_.clear();
    refresh();
}

void TestRunDialog::refresh()
{
    const auto& entries = world_->log();
    for (; shownEntries_ < entries.size(); ++shownEntries_) {
        const sim::SimLogEntry& entry = entries[shownEntries_];
        auto* item = new QListWidgetItem(entry.text(), log_);
        if (entry.isError()) {
            item->setForeground(Qt::red);
            item->setData(kLineRole, entry.line);
            item->setToolTip(tr("Double-click to see line ") + QString::number(entry.line) +
                             " of the script (the script view counts lines from 0).");
        }
    }
    log_->scrollToBottom();
    timeLabel_->setText("t=" + QString::number(world_->time(), 'f', 2) + " s");

    // The actor stands where the last move put it: every slider shows its
    // distance from that object.
    for (auto& [name, row] : rows_) {
        const double distance = world_->actorDistance(name);
        row.slider->blockSignals(true);
        row.slider->setValue(static_cast<int>(std::lround(std::min(distance, double(kSliderReach)))));
        row.slider->blockSignals(false);
        row.distance->setText(distance > kSliderReach ? tr("far away") : QString::number(distance, 'f', 1));
    }
    refreshToggles();
}

void TestRunDialog::refreshToggles()
{
    for (const auto& [label, on] : world_->toggles()) {
        QCheckBox*& box = toggles_[label];
        if (!box) {
            box = new QCheckBox(label);
            toggleLayout_->addWidget(box);
            connect(box, &QCheckBox::toggled, this, [this, label = label](bool state) {
                world_->setToggle(label, state);
                refresh();
            });
        }
        box->blockSignals(true);
        box->setChecked(on);
        box->blockSignals(false);
    }
    noTogglesLabel_->setVisible(toggles_.empty());
}

void TestRunDialog::openErrorLine(QListWidgetItem* item)
{
    const int line = item->data(kLineRole).toInt();
    if (line > 0)
        openScriptAtLine(line);
}

QPushButton* TestRunDialog::clickButton(const QString& object) const
{
    auto row = rows_.find(object);
    return row == rows_.end() ? nullptr : row->second.click;
}

QSlider* TestRunDialog::distanceSlider(const QString& object) const
{
    auto row = rows_.find(object);
    return row == rows_.end() ? nullptr : row->second.slider;
}

QCheckBox* TestRunDialog::toggleBox(const QString& label) const
{
    auto toggle = toggles_.find(label);
    return toggle == toggles_.end() ? nullptr : toggle->second;
}

QDialog* TestRunDialog::openScriptAtLine(int line)
{
    ScriptPanel* panel = ScriptPanel::createInDialog(this, dialogs_, source_);
    auto* dialog = static_cast<QDialog*>(panel->parentWidget());
    panel->generateScript();
    QPlainTextEdit* area = panel->scriptArea();
    QTextCursor cursor(area->document()->findBlockByNumber(line - 1));
    area->setTextCursor(cursor);
    dialog->show();
    area->setFocus();
    area->centerCursor();
    return dialog;
}

} // namespace scenewright::gui
