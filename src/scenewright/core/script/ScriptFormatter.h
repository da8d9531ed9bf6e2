#pragma once

#include <cstddef>
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

    // Learns, in the script's order, where compressing puts each piece of the
    // script: `at` is the place in the compressed text, `begin` and `end`
    // the piece's bytes in the script.
    class CompressionWatcher {
    public:
        virtual ~CompressionWatcher() = default;
        // A token written at `at`.
        virtual void kept(std::size_t at, std::size_t begin, std::size_t end) = 0;
        // A comment or a line feed left out just before `at`.
        virtual void dropped(std::size_t at, std::size_t begin, std::size_t end) = 0;
    };

    // The same as compress, telling the watcher where each piece went.
    static std::string compress(std::string_view script, CompressionWatcher& watcher);
};

} // namespace scenewright::core::script
