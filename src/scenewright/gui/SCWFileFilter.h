#pragma once

#include "scenewright/gui/SuffixFileFilter.h"

namespace scenewright::gui {

// The filter of the project chooser: folders and ".scw" files.
class SCWFileFilter : public SuffixFileFilter {
public:
    SCWFileFilter() : SuffixFileFilter(".scw", ".scw Scenewright Files") {}
};

} // namespace scenewright::gui
