#include "scenewright/gui/StandardDialogs.h"

#include "scenewright/gui/SuffixFileFilter.h"

#include <QFileInfo>

namespace scenewright::gui {

QString StandardDialogs::chooseFileToSave(QWidget* parent, FileRequest request)
{
    request.forSaving = true;
    for (;;) {
        const QString chosen = chooseFile(parent, request);
        if (chosen.isEmpty() || QFileInfo(chosen).fileName().isEmpty())
            return {};
        const QString absolute = QFileInfo(chosen).absoluteFilePath();
        const QString target = request.filter ? request.filter->withSuffix(absolute) : absolute;
        // The chooser's own question comes before the suffix is added, so it
        // is left out and this one asked about the file that will be written.
        const QFileInfo file(target);
        if (!file.exists())
            return target;
        const QString question = tr("\"%1\" already exists. Replace it?").arg(file.fileName());
        if (askReplace(parent, request.title, question))
            return target;
        // The chooser opens again where the user was, on the name typed.
        request.directory = absolute;
    }
}

} // namespace scenewright::gui
