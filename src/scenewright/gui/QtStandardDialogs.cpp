#include "scenewright/gui/QtStandardDialogs.h"

#include "scenewright/gui/SuffixFileFilter.h"
#include "scenewright/gui/SuffixFilterProxyModel.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace scenewright::gui {

namespace {

// A word longer than a line of the box (a long name from a file, a path)
// would run off its edge: a zero-width space after every kWordPiece
// characters of such a word lets it wrap there.
QString wrappable(const QString& text)
{
    constexpr int kWordPiece = 60;
    QString out;
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        out += c;
        if (run == kWordPiece) {
            out += QChar(0x200B);
            run = 0;
        }
    }
    return out;
}

} // namespace

QString QtStandardDialogs::chooseFile(QWidget* parent, const FileRequest& request)
{
    QFileDialog dialog(parent, request.title, request.directory);
    dialog.setAcceptMode(request.forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Whether to replace a file is asked once the suffix is added.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.acceptLabel.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, request.acceptLabel);
    if (request.filter) {
        // Qt's own dialog, because only it takes a proxy model; the name
        // pattern matches everything and only the description is shown.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilter(request.filter->getDescription() + " (*)");
        dialog.setProxyModel(new SuffixFilterProxyModel(*request.filter, &dialog));
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void QtStandardDialogs::showError(QWidget* parent, const QString& title, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, title, wrappable(text), QMessageBox::Ok, parent);
    // Messages quote names from files: markup in them is shown, not obeyed.
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool QtStandardDialogs::ask(QWidget* parent, const QString& title, const QString& question)
{
    return QMessageBox::question(parent, title, question) == QMessageBox::Yes;
}

bool QtStandardDialogs::askReplace(QWidget* parent, const QString& title, const QString& question)
{
    QMessageBox box(QMessageBox::Warning, title, wrappable(question), QMessageBox::NoButton, parent);
    // The question names a file: markup in its name is shown, not obeyed.
    box.setTextFormat(Qt::PlainText);
    QPushButton* replace = box.addButton(tr("Replace"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == replace;
}

} // namespace scenewright::gui
