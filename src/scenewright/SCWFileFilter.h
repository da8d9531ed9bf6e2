#pragma once

#include "scenewright/gui/SuffixFileFilter.h"

namespace scenewright {

// The filter of the project chooser: folders and ".scw" files.
class SCWFileFilter : public gui::SuffixFileFilter {
public:
    SCWFileFilter() : SuffixFileFilter(".scw", ".scw Scenewright Files") {}
};

} // namespace scenewright
