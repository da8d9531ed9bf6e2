#include "scenewright/gui/EditingArea.h"

#include "scenewright/Frame1.h"
#include "scenewright/core/ProjectManager.h"

namespace scenewright::gui {

namespace {
Frame1* mainFrame()
{
    return dynamic_cast<Frame1*>(core::ProjectManager::getInstance().getMainFrame());
}
} // namespace

void EditingArea::show(QWidget* editor)
{
    if (Frame1* frame = mainFrame())
        frame->setFarPanel(editor, true);
}

void EditingArea::close()
{
    if (Frame1* frame = mainFrame())
        frame->setFarPanel(nullptr, true);
}

void EditingArea::updateStatus(const core::IAtmoObject* object)
{
    if (object)
        Frame1::updateStatusPanel(*object);
}

} // namespace scenewright::gui
