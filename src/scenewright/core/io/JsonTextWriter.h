#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core::io {

// Writes indented JSON text as it goes, in the form project files have: two
// spaces a level, `"name": value`, "{}" and "[]" when empty; a double in the
// shortest form that reads back the same, with ".0" when whole (null when
// not finite); a string as UTF-8 with only quotes, backslashes and control
// characters escaped, and ill-formed UTF-8 replaced by U+FFFD.
class JsonTextWriter {
public:
    explicit JsonTextWriter(std::string& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // An object's member name; its value follows.
    void key(std::string_view name);

    void string(std::string_view text);
    void number(long long value);
    void number(double value);
    void boolean(bool value);
    void null();

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);
    void newLine();
    void quoted(std::string_view text);

    std::string& out_;
    // Whether each open array or object has an item yet.
    std::vector<bool> hasItems_;
    bool afterKey_ = false;
};

} // namespace scenewright::core::io
