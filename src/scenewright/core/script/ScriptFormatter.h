#pragma once

#include <string>
#include <string_view>

namespace scenewright::core::script {

// Re-lays out script text for the script view. Both transformations accept any
// bytes, keep string, template and regular-expression literals byte for byte and
// never change what the script means.
class ScriptFormatter {
public:
    ScriptFormatter() = delete;

    // One statement per line, blocks indented with tabs, line breaks "\r\n".
    static std::string beautify(std::string_view script);

    // The script on one line without comments and without the blanks and line
    // breaks that no token boundary needs; a line break that ended a statement
    // becomes ";". Compressing the result again gives the same text.
    static std::string compress(std::string_view script);
};

} // namespace scenewright::core::script
