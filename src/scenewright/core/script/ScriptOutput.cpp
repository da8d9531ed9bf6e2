#include "scenewright/core/script/ScriptOutput.h"

#include <utility>

namespace scenewright::core::script {

ScriptOutput::ScriptOutput(Writer write) : write_(std::move(write))
{
    block_.reserve(kBlock + kBlock / 2);
}

void ScriptOutput::flush()
{
    if (!write_ || block_.empty())
        return;
    write_(block_);
    block_.clear();
}

} // namespace scenewright::core::script
