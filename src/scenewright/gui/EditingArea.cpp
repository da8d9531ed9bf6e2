#include "scenewright/gui/EditingArea.h"

#include "scenewright/Frame1.h"
#include "scenewright/core/ProjectManager.h"

#include <QLayout>
#include <QWidget>

namespace scenewright::gui {

Frame1* EditingArea::mainWindow()
{
    return dynamic_cast<Frame1*>(core::ProjectManager::getInstance().getMainFrame());
}

void EditingArea::show(QWidget* editor)
{
    if (Frame1* frame = mainWindow())
        frame->setFarPanel(editor, true);
}

QWidget* EditingArea::farPanelAttachment()
{
    Frame1* frame = mainWindow();
    return frame ? frame->getFarPanelAttachment() : nullptr;
}

void EditingArea::closeEditor(QWidget* editor)
{
    QWidget* container = editor->parentWidget();
    if (!container || !container->layout()) {
        editor->hide();
        return;
    }
    // The rows are taken out and hidden, not deleted: each editor belongs
    // to the panel that opened it and is shown again next time.
    QLayout* layout = container->layout();
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (item->widget())
            item->widget()->hide();
        delete item;
    }
    layout->invalidate();
    container->update();
}

void EditingArea::close()
{
    if (Frame1* frame = mainWindow())
        frame->setFarPanel(nullptr, true);
}

void EditingArea::updateStatus(const core::IAtmoObject* object)
{
    if (object)
        Frame1::updateStatusPanel(*object);
}

} // namespace scenewright::gui
