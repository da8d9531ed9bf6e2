#pragma once

#include "scenewright/app/MainWindow.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/gui/StandardDialogs.h"
#include "scenewright/gui/SuffixFileFilter.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace scenewright::test {

using app::MainWindow;

// Standard dialogs that answer at once: file choosers give the queued paths
// (an empty one, or none left, is a cancel), questions the set answer;
// everything asked and shown is recorded.
class FakeDialogs : public gui::StandardDialogs {
public:
    QStringList paths;
    std::vector<FileRequest> fileRequests;
    // The description of each request's filter (the filter itself may be gone).
    QStringList filterDescriptions;
    QStringList errors;
    bool answerYes = true;
    // Answers given before answerYes, first to last.
    QList<bool> answers;
    int questions = 0;
    QStringList questionTexts;

    QString chooseFile(QWidget*, const FileRequest& request) override
    {
        fileRequests.push_back(request);
        filterDescriptions << (request.filter ? request.filter->getDescription() : QString());
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    void showError(QWidget*, const QString&, const QString& text) override { errors << text; }
    bool ask(QWidget*, const QString&, const QString& question) override
    {
        ++questions;
        questionTexts << question;
        return answers.isEmpty() ? answerYes : answers.takeFirst();
    }
    // Every "Replace it?" asked; the answers are taken in order, Replace
    // once they run out.
    QStringList replaceQuestions;
    QList<bool> replaceAnswers;
    bool askReplace(QWidget*, const QString&, const QString& question) override
    {
        replaceQuestions << question;
        return replaceAnswers.isEmpty() || replaceAnswers.takeFirst();
    }
};

// A main window on a fresh program state, with a temporary folder for files,
// the recovery file and the settings.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        // Each test keeps the program's settings (recent projects, window
        // place) in its own folder, apart from the user's and from tests
        // running at the same time.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        frame_ = makeFrame();
    }
    void TearDown() override { frame_.reset(); }

    // A window keeping its unsaved work in `recoveryFolder`, or else in the
    // test's own.
    std::unique_ptr<MainWindow> makeFrame(const QString& recoveryFolder = {})
    {
        return std::make_unique<MainWindow>(dialogs_,
                                        recoveryFolder.isEmpty() ? folder_.filePath("recovery") : recoveryFolder, ids,
                                            choices);
    }

    QString path(const QString& name) const { return folder_.filePath(name); }
    // The document the window shows.
    core::SceneDocument& document() const { return *frame_->document(); }
    // The script of the document the window shows, as the script view
    // generates it.
    std::string generatedScript() const
    {
        // After Close there is no scene: the script of nothing.
        if (!frame_->document())
            return core::script::ScriptGenerator::generate({}, {});
        document().nameObjects();
        return core::script::ScriptGenerator::generate(document().objects(),
                                                       {document().localiseScript(), frame_->synchronise()});
    }

    // The menu item with the text, searched through every menu.
    QAction* menuItem(const QString& text) const
    {
        for (QAction* menu : frame_->menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                if (item->text() == text)
                    return item;
        ADD_FAILURE() << "no menu item " << text.toStdString();
        return nullptr;
    }

    template <class Button = QAbstractButton>
    static Button* button(const QWidget* parent, const QString& text)
    {
        for (Button* candidate : parent->findChildren<Button*>())
            if (candidate->text() == text)
                return candidate;
        ADD_FAILURE() << "no button " << text.toStdString();
        return nullptr;
    }

    static QByteArray contentOf(const QString& file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // The program's id counter and choices, which outlive its windows.
    core::IdCounter ids;
    app::ProgramChoices choices;
    QTemporaryDir folder_;
    FakeDialogs dialogs_;
    std::unique_ptr<MainWindow> frame_;
};

} // namespace scenewright::test
