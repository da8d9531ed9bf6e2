#include "scenewright/gui/WhyLocaliseScriptPanel.h"

#include "scenewright/gui/Fonts.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace scenewright::gui {

const char* const WhyLocaliseScriptPanel::explanation = QT_TR_NOOP(
    "If you select Global:\n"
    " - you can add the generated script anywhere in the Atmosphere Builder\n"
    " - variables can be referenced by other scripts\n"
    "\n"
    "If you select Localised:\n"
    " - generated script should contain only actions & triggers for ONE Atmosphere object\n"
    " - generated script must be attached to that object in the Atmosphere Builder\n"
    "\n"
    "What does localised in Scenewright do?\n"
    "If you 'localise' a generated script in Scenewright, you ensure that all variables used in the script are "
    "local to that script & the object the script is attached to. Hence, any variables cannot be referenced "
    "(purposely or accidentally) from outside the script by other scripts. Your code is cleaner and safer from "
    "other scripts. \n"
    "\n"
    "Scenewright will take advantage of the keyword 'this', which will reference the object the script is "
    "attached to. Say for example you attached the script to a primitive 'door'. Then 'this' will be the "
    "variable name for the 'door' object once you attach the script to the 'door' primitive within Atmosphere "
    "Builder. The keyword 'this' will appear in your generated script.\n"
    "\n"
    "When should I localise?\n"
    "Whenever possible. If your generated script:\n"
    " - contains actions & triggers for one object\n"
    " - object is a ViewpointObject, Primitive, SolidObject\n"
    "\n"
    "When should not localise (leave globalised):\n"
    " - when loading a Model/SceneGroup\n"
    " - when multiple actions/triggers are from 2 or more different objects\n"
    " - when you want to throw everything into a single script\n"
    "\n"
    "The general rule of thumb is localise where possible, globalise otherwise. If you are not going to use any "
    "other scripts, globalise is fine. Otherwise, there's a small (however unlikely) chance that other scripts & "
    "Scenewright generated scripts won't be compatible.\n"
    "\n"
    "(Ed Note: this discussion of localised/globalised variable usage is valid for Scenewright only, and is not "
    "to be taken as a general scripter rule of thumb :)).");

WhyLocaliseScriptPanel::WhyLocaliseScriptPanel(QDialog* dialog) : QWidget(dialog)
{
    auto* text = new QPlainTextEdit(tr(explanation));
    text->setReadOnly(true);
    text->setFont(Fonts::sansSerif());
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* close = new QPushButton(tr("Close"));
    connect(close, &QPushButton::clicked, dialog, &QDialog::close);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Why and when should you localise a script in Scenewright?")), 0, 0);
    layout->addWidget(text, 1, 0);
    layout->addWidget(close, 2, 0, Qt::AlignRight);
    layout->setRowStretch(1, 1);
}

} // namespace scenewright::gui
