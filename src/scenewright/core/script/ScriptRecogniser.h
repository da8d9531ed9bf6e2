#pragma once

#include "scenewright/core/script/CompressedScript.h"
#include "scenewright/core/script/RecognisedScene.h"
#include "scenewright/core/script/SceneAssembly.h"

namespace scenewright::core::script {

// Reads a script that Scenewright generated back into the scene it was
// generated from: every fragment of the script, in the order the generator
// writes them, tells what it was written for. Where the script leaves a
// choice open (an action whose owner no fragment names, the objects of a
// localised script, which all answer to "this"), the recogniser picks one
// that gives the same script again; the comments of the script, and its
// empty lines when it keeps the generator's layout, narrow the choice.
//
// Reading stops at the first piece that is not what the generator writes
// there, with a ScriptCursor::Mismatch; the recogniser does not check that
// the pieces it read agree with each other (that an action's declaration
// and its trigger code tell the same values): generating the scene again
// and comparing does.
class ScriptRecogniser {
public:
    // `generatorLayout`: the script keeps the line breaks the generator
    // writes, so its empty lines separate the objects' trigger code.
    // What the fragments tell, before the scene is put together: a copy
    // assembles it, so one reading serves several tries.
    static SceneAssembly read(const CompressedScript& script, bool generatorLayout);
};

} // namespace scenewright::core::script
