#include "scenewright/core/script/OlderFragments.h"

#include <cctype>
#include <string_view>

namespace scenewright::core::script {

namespace {

// Fragments, as compressing writes them, replaced wherever they stand
// unless `notBefore` follows (a fragment that was never written older).
struct Replacement {
    std::string_view older;
    std::string_view today;
    std::string_view notBefore;
};

constexpr Replacement kReplacements[] = {
    // The fade's step always reached the instances through their scene.
    {"vpooj.getInstance(d).opacity=", "vpooj.scene.getInstance(d).opacity=", "this.fadestep("},
    // A world sound's button handler ran straight into the sound's play()
    // call, which does not parse; the statement ends as a hand repair would.
    {".stop();}snd", ".stop();};snd", ""},
};

constexpr std::string_view kNames = "triggernames[";
constexpr std::string_view kRunning = "].running";
constexpr std::string_view kList = "triggernames=[";
constexpr std::string_view kRunningList = "triggerrunning=[];";

// The end of the string literal that starts at `at` (past its closing
// quote), or the text's end when it is not closed.
std::size_t literalEnd(const std::string& text, std::size_t at)
{
    const char quote = text[at];
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == quote)
            return i + 1;
    }
    return text.size();
}

// "triggernames[i].running" or "triggernames[12].running" at `at`: the
// index's length, or 0.
std::size_t runningIndexLength(std::string_view rest)
{
    if (rest.substr(0, kNames.size()) != kNames)
        return 0;
    rest.remove_prefix(kNames.size());
    std::size_t length = 0;
    if (!rest.empty() && rest[0] == 'i')
        length = 1;
    else
        while (length < rest.size() && std::isdigit(static_cast<unsigned char>(rest[length])))
            ++length;
    return length > 0 && rest.substr(length, kRunning.size()) == kRunning ? length : 0;
}

} // namespace

std::string OlderFragments::modernised(const std::string& compressed)
{
    const bool declaresRunning = compressed.find(kRunningList) != std::string::npos;
    std::string out;
    out.reserve(compressed.size() + kRunningList.size());
    std::size_t i = 0;
    while (i < compressed.size()) {
        const char c = compressed[i];
        if (c == '\'' || c == '"') {
            const std::size_t end = literalEnd(compressed, i);
            out.append(compressed, i, end - i);
            i = end;
            continue;
        }
        const std::string_view rest(compressed.data() + i, compressed.size() - i);
        if (const std::size_t index = runningIndexLength(rest)) {
            out += "triggerrunning[";
            out.append(rest.substr(kNames.size(), index));
            out += ']';
            i += kNames.size() + index + kRunning.size();
            continue;
        }
        // The list of running states stands right after the list of names.
        if (!declaresRunning && rest.substr(0, kList.size()) == kList) {
            std::size_t end = i + kList.size();
            while (end < compressed.size() && compressed[end] != ']')
                end = compressed[end] == '\'' ? literalEnd(compressed, end) : end + 1;
            if (compressed.compare(end, 2, "];") == 0) {
                out.append(compressed, i, end + 2 - i);
                out += kRunningList;
                i = end + 2;
                continue;
            }
        }
        bool replaced = false;
        for (const Replacement& replacement : kReplacements)
            if (rest.substr(0, replacement.older.size()) == replacement.older
                && (replacement.notBefore.empty()
                    || rest.substr(replacement.older.size(), replacement.notBefore.size()) != replacement.notBefore)) {
                out += replacement.today;
                i += replacement.older.size();
                replaced = true;
                break;
            }
        if (!replaced)
            out += compressed[i++];
    }
    return out;
}

} // namespace scenewright::core::script
