#pragma once

#include <string>

namespace scenewright::core::script {

// Scripts of earlier versions wrote a few fragments in forms that have since
// been mended (a synchronised trigger's running state kept on its name, a
// string that keeps no properties; a viewpoint object's instances reached
// without their scene). Today's form of such a script is the compressed text
// with each older fragment, outside string literals, replaced by today's;
// the import reads and compares that, so the older script comes back as the
// project that now generates the mended text.
class OlderFragments {
public:
    // The compressed script with its older fragments in today's form; the
    // text itself when it holds none.
    static std::string modernised(const std::string& compressed);
};

} // namespace scenewright::core::script
