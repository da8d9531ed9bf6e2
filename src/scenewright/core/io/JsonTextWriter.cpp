#include "scenewright/core/io/JsonTextWriter.h"

#include "scenewright/core/script/Utf8Text.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <cmath>

namespace scenewright::core::io {

void JsonTextWriter::newLine()
{
    out_ += '\n';
    out_.append(2 * hasItems_.size(), ' ');
}

void JsonTextWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty())
        return;
    if (hasItems_.back())
        out_ += ',';
    hasItems_.back() = true;
    newLine();
}

void JsonTextWriter::open(char bracket)
{
    beforeValue();
    out_ += bracket;
    hasItems_.push_back(false);
}

void JsonTextWriter::close(char bracket)
{
    const bool items = hasItems_.back();
    hasItems_.pop_back();
    if (items)
        newLine();
    out_ += bracket;
}

void JsonTextWriter::beginObject()
{
    open('{');
}

void JsonTextWriter::endObject()
{
    close('}');
}

void JsonTextWriter::beginArray()
{
    open('[');
}

void JsonTextWriter::endArray()
{
    close(']');
}

void JsonTextWriter::key(std::string_view name)
{
    beforeValue();
    quoted(name);
    out_ += ": ";
    afterKey_ = true;
}

void JsonTextWriter::string(std::string_view text)
{
    beforeValue();
    quoted(text);
}

void JsonTextWriter::number(long long value)
{
    beforeValue();
    std::array<char, 24> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    out_.append(digits.data(), result.ptr);
}

void JsonTextWriter::number(double value)
{
    beforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    // JSON for Modern C++'s own shortest form, which files have always had.
    std::array<char, 64> digits{};
    const char* end = nlohmann::detail::to_chars(digits.data(), digits.data() + digits.size(), value);
    out_.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

void JsonTextWriter::boolean(bool value)
{
    beforeValue();
    out_ += value ? "true" : "false";
}

void JsonTextWriter::null()
{
    beforeValue();
    out_ += "null";
}

void JsonTextWriter::quoted(std::string_view text)
{
    // Text that is not UTF-8 goes the slow, careful way: the library
    // replaces each ill-formed sequence as it always has.
    if (script::Utf8Text::firstIllFormed(text) != std::string_view::npos) {
        out_ += nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        return;
    }
    out_ += '"';
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out_.append(text, plain, i - plain);
        plain = i + 1;
        switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\b': out_ += "\\b"; break;
        case '\f': out_ += "\\f"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default: {
            static const char hex[] = "0123456789abcdef";
            out_ += "\\u00";
            out_ += hex[c >> 4];
            out_ += hex[c & 0xF];
        }
        }
    }
    out_.append(text, plain, text.size() - plain);
    out_ += '"';
}

} // namespace scenewright::core::io
