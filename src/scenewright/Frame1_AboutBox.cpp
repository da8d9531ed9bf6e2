#include "scenewright/Frame1_AboutBox.h"

#include "scenewright/core/Version.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace scenewright {

const char* const Frame1_AboutBox::introduction =
    "You are now using Scenewright! \n"
    "\n"
    "Developed for use with Adobe Atmosphere, this tool serves as an aid to developing online interactive "
    "environments using Atmosphere Javascript. The Scenewright web page has news, updates and examples of "
    "worlds built with it.\n"
    "\n"
    "Cheers & good luck!";

Frame1_AboutBox::Frame1_AboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About");
    setModal(true);

    auto* text = new QPlainTextEdit(introduction);
    text->setReadOnly(true);
    text->setMinimumSize(350, 197);
    text->setFixedSize(350, 197);
    auto* ok = new QPushButton("Ok");
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QGridLayout(this);
    int row = 0;
    for (const char* line : {"", core::Version::text, "Scenewright is free software for world builders.", ""})
        layout->addWidget(new QLabel(line), row++, 0);
    layout->addWidget(text, row++, 0);
    layout->addWidget(ok, row, 0, Qt::AlignHCenter);
}

} // namespace scenewright
