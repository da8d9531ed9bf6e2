#include "scenewright/app/AboutDialog.h"

#include "scenewright/core/Version.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace scenewright::app {

const char* const AboutDialog::introduction = QT_TR_NOOP(
    "You are now using Scenewright! \n"
    "\n"
    "Developed for use with Adobe Atmosphere, this tool serves as an aid to developing online interactive "
    "environments using Atmosphere Javascript. The Scenewright web page has news, updates and examples of "
    "worlds built with it.\n"
    "\n"
    "Cheers & good luck!");

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About"));
    setModal(true);

    auto* text = new QPlainTextEdit(tr(introduction));
    text->setReadOnly(true);
    // Taller where a large font needs it, so that the introduction shows whole.
    QTextDocument measure;
    measure.setDefaultFont(text->font());
    measure.setDocumentMargin(text->document()->documentMargin());
    measure.setPlainText(tr(introduction));
    measure.setTextWidth(350 - 2 * text->frameWidth());
    const int height = std::max(197, static_cast<int>(std::ceil(measure.size().height())) + 2 * text->frameWidth());
    text->setMinimumSize(350, height);
    text->setMaximumSize(350, height);
    auto* ok = new QPushButton(tr("Ok"));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QGridLayout(this);
    int row = 0;
    for (const QString& line : {QString(), QString(core::Version::text),
                                tr("Scenewright is free software for world builders."), QString()})
        layout->addWidget(new QLabel(line), row++, 0);
    layout->addWidget(text, row++, 0);
    layout->addWidget(ok, row, 0, Qt::AlignHCenter);
}

} // namespace scenewright::app
