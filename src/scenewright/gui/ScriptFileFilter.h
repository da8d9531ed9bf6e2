#pragma once

#include "scenewright/gui/SuffixFileFilter.h"

namespace scenewright::gui {

// The filter of the script chooser: folders and ".js" files.
class ScriptFileFilter : public SuffixFileFilter {
public:
    ScriptFileFilter() : SuffixFileFilter(".js", "Atmosphere .js files") {}
};

} // namespace scenewright::gui
