#include "scenewright/gui/ScriptPanel.h"

#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/SceneCheck.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/gui/DocumentEvents.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/gui/DialogGeometry.h"
#include "scenewright/gui/Fonts.h"
#include "scenewright/gui/SceneCheckDialog.h"
#include "scenewright/gui/ScriptHighlighter.h"
#include "scenewright/gui/StandardDialogs.h"
#include "scenewright/gui/WhyLocaliseScriptPanel.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTextBlock>

#include <algorithm>

namespace scenewright::gui {

namespace {

QPushButton* addButton(QGridLayout* layout, const QString& text, int row)
{
    auto* button = new QPushButton(text);
    layout->addWidget(button, row, 0, 1, 2);
    return button;
}

QLabel* addLabel(QGridLayout* layout, const QString& text, const QFont& font, int row)
{
    auto* label = new QLabel(text);
    label->setFont(font);
    layout->addWidget(label, row, 0, 1, 2);
    return label;
}

} // namespace

ScriptPanel* ScriptPanel::createInDialog(QWidget* parent, StandardDialogs& dialogs, Source source)
{
    auto* dialog = new QDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Generated script"));
    auto* layout = new QGridLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new ScriptPanel(dialog, dialogs, std::move(source));
    layout->addWidget(panel, 0, 0);
    DialogGeometry::resizeToFit(dialog, {500, 500});
    return panel;
}

ScriptPanel::ScriptPanel(QDialog* dialog, StandardDialogs& dialogs, Source source)
    : QWidget(dialog), parent_(dialog), dialogs_(dialogs), source_(std::move(source))
{
    scriptArea_ = new QPlainTextEdit(this);
    // Without wrapping and shaping, a script of megabytes (a compressed one
    // is a single line) is laid out in about a second, not several.
    QFont scriptFont = Fonts::sansSerif(12, false);
    scriptFont.setStyleStrategy(QFont::PreferNoShaping);
    scriptArea_->setFont(scriptFont);
    scriptArea_->setLineWrapMode(QPlainTextEdit::NoWrap);
    highlighter_ = new ScriptHighlighter(scriptArea_->document());

    savedFileLabel_ = new QLabel(" ");
    savedFileLabel_->setFont(Fonts::dialog(13, true));
    savedFileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* strip = new QWidget;
    auto* stripLayout = new QGridLayout(strip);
    stripLayout->setContentsMargins(5, 5, 5, 5);
    stripLayout->addWidget(savedFileLabel_, 0, 0);

    auto* layout = new QGridLayout(this);
    layout->addWidget(buildControls(), 0, 0);
    layout->addWidget(scriptArea_, 0, 1);
    layout->addWidget(strip, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);

    connect(scriptArea_, &QPlainTextEdit::cursorPositionChanged, this, &ScriptPanel::showLine);
    showScope();
    connect(localiseButton_, &QRadioButton::toggled, this, &ScriptPanel::chooseScope);
    if (source_.events)
        connect(source_.events, &DocumentEvents::sceneChanged, this, &ScriptPanel::showScope);
}

ScriptPanel::~ScriptPanel() = default;

std::shared_ptr<core::SceneDocument> ScriptPanel::document() const
{
    return source_.document ? source_.document() : nullptr;
}

void ScriptPanel::showScope()
{
    // Showing the scope must not write it back into the project.
    const QSignalBlocker blocker(localiseButton_);
    const bool localised = document() && document()->localiseScript();
    (localised ? localiseButton_ : globalButton_)->setChecked(true);
}

QWidget* ScriptPanel::buildControls()
{
    auto* controls = new QWidget;
    auto* layout = new QGridLayout(controls);
    layout->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    connect(addButton(layout, tr("Generate Script"), row++), &QPushButton::clicked, this, &ScriptPanel::generateScript);
    connect(addButton(layout, tr("Save File"), row++), &QPushButton::clicked, this, &ScriptPanel::saveFile);
    connect(addButton(layout, tr("Save As.."), row++), &QPushButton::clicked, this, &ScriptPanel::saveAs);
    connect(addButton(layout, tr("Close"), row++), &QPushButton::clicked, parent_, &QDialog::close);
    addLabel(layout, QString(28, '-'), Fonts::dialog(13, true), row++);
    connect(addButton(layout, tr("Compress..."), row++), &QPushButton::clicked, this, &ScriptPanel::compress);
    connect(addButton(layout, tr("Beautify"), row++), &QPushButton::clicked, this, &ScriptPanel::beautify);
    addLabel(layout, QString(27, '-'), Fonts::sansSerif(12, false), row++);

    globalButton_ = new QRadioButton(tr("Global Variables"));
    localiseButton_ = new QRadioButton(tr("Localise Script"));
    auto* scope = new QButtonGroup(controls);
    scope->addButton(globalButton_);
    scope->addButton(localiseButton_);
    layout->addWidget(globalButton_, row++, 0, 1, 2);
    layout->addWidget(localiseButton_, row++, 0, 1, 2);
    connect(addButton(layout, tr("Why Localise?"), row++), &QPushButton::clicked, this, &ScriptPanel::showWhyLocalise);

    layout->setRowStretch(row++, 1);
    layout->addWidget(new QLabel(tr("Line: ")), row, 0);
    lineIndicator_ = new QLabel(" ");
    lineIndicator_->setFont(Fonts::dialog(12, true));
    layout->addWidget(lineIndicator_, row, 1);
    layout->setColumnStretch(1, 1);
    return controls;
}

QByteArray ScriptPanel::scriptText() const
{
    if (!scriptArea_->document()->isModified())
        return shownScript_;
    QByteArray text = scriptArea_->toPlainText().toUtf8();
    if (lineBreak_ != "\n")
        text.replace('\n', lineBreak_);
    return text;
}

void ScriptPanel::showScript(QByteArray script)
{
    lineBreak_ = script.contains("\r\n") ? "\r\n" : "\n";
    shownScript_ = std::move(script);
    // A line of megabytes, as a compressed script is, is shown plain:
    // colouring it would hold up showing it and every edit in it. The
    // highlighter comes back after the text is in, so it colours it once.
    const bool coloured = longestLine(shownScript_) <= ScriptHighlighter::longestColouredLine;
    if (!coloured && highlighter_->document())
        highlighter_->setDocument(nullptr);
    scriptArea_->setPlainText(QString::fromUtf8(shownScript_));
    if (coloured && !highlighter_->document())
        highlighter_->setDocument(scriptArea_->document());
    scriptArea_->document()->setModified(false);
}

bool ScriptPanel::isColoured() const
{
    return highlighter_->document() != nullptr;
}

qsizetype ScriptPanel::longestLine(const QByteArray& script)
{
    qsizetype longest = 0;
    qsizetype start = 0;
    while (start <= script.size()) {
        qsizetype end = script.indexOf('\n', start);
        if (end < 0)
            end = script.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

void ScriptPanel::generateScript()
{
    // After Close there is no scene to script.
    const auto shown = document();
    if (!shown) {
        showScript({});
        return;
    }
    try {
        shown->nameObjects();
        const core::script::ScriptOptions options{shown->localiseScript(),
                                                  source_.synchronised && source_.synchronised()};
        showScript(QByteArray::fromStdString(core::script::ScriptGenerator::generate(shown->objects(), options)));
    } catch (const core::IdsExhausted& exhausted) {
        dialogs_.showError(this, tr("Generate Script"), QString::fromUtf8(exhausted.what()));
    }
}

void ScriptPanel::beautify()
{
    const QByteArray text = scriptText();
    showScript(QByteArray::fromStdString(
        core::script::ScriptFormatter::beautify(std::string_view(text.constData(), text.size()))));
}

void ScriptPanel::compress()
{
    const QByteArray text = scriptText();
    showScript(QByteArray::fromStdString(
        core::script::ScriptFormatter::compress(std::string_view(text.constData(), text.size()))));
}

void ScriptPanel::showLine()
{
    lineIndicator_->setText(QString::number(scriptArea_->textCursor().blockNumber()));
}

void ScriptPanel::chooseScope(bool localise)
{
    if (const auto shown = document())
        shown->setLocaliseScript(localise);
}

std::optional<QString> ScriptPanel::write(const QString& path, const QByteArray& script)
{
    // Written whole to a temporary file and renamed over the target, so a
    // failed write never leaves half a script behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size() || !file.commit())
        return tr("Cannot save %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

void ScriptPanel::saveAs()
{
    // What the check finds is a warning: the user sees it and may save all
    // the same.
    std::vector<core::SceneCheck::Problem> problems;
    if (const auto shown = document())
        problems = core::SceneCheck::check(shown->objects(), shown->localiseScript(),
                                           source_.synchronised && source_.synchronised());
    if (problems.empty()) {
        chooseFileAndSave();
        return;
    }
    auto* check = new SceneCheckDialog(this, std::move(problems), SceneCheckDialog::Purpose::BeforeSaving);
    check->setAttribute(Qt::WA_DeleteOnClose);
    connect(check, &QDialog::accepted, this, &ScriptPanel::chooseFileAndSave);
    connect(check, &SceneCheckDialog::objectChosen, this, &ScriptPanel::objectChosen);
    check->open();
}

void ScriptPanel::chooseFileAndSave()
{
    QString directory = QDir::homePath();
    if (const std::optional<std::string>* remembered = source_.lastScriptFile; remembered && *remembered) {
        // The remembered location is the last saved file; the chooser opens
        // in its folder.
        const QFileInfo location(QString::fromStdString(**remembered));
        directory = location.isDir() ? location.absoluteFilePath() : location.absolutePath();
    }
    const QString target =
        dialogs_.chooseFileToSave(this, {tr("Save your Atmosphere Javascript"), directory, "Save", &filter_, true});
    if (target.isEmpty())
        return;
    if (const auto failure = write(target, scriptText())) {
        dialogs_.showError(this, tr("Save As.."), *failure);
        return;
    }
    currentFile_ = target;
    savedFileLabel_->setText(target);
    if (source_.lastScriptFile)
        *source_.lastScriptFile = target.toStdString();
}

void ScriptPanel::saveFile()
{
    if (currentFile_.isEmpty()) {
        saveAs();
        return;
    }
    if (const auto failure = write(currentFile_, scriptText()))
        dialogs_.showError(this, tr("Save File"), *failure);
}

void ScriptPanel::showWhyLocalise()
{
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Why Localise?"));
    auto* layout = new QGridLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new WhyLocaliseScriptPanel(dialog), 0, 0);
    DialogGeometry::resizeToFit(dialog, {500, 500});
    dialog->open();
}

} // namespace scenewright::gui
