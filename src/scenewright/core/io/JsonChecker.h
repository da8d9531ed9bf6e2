#pragma once

#include "scenewright/core/io/JsonValue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scenewright::core::io {

// Checks that a text is one JSON document (RFC 8259) with nothing after it but
// white space, as a project file must be, before anything reads it. A UTF-8
// byte order mark may start it; arrays and objects may nest kMaxNesting deep,
// far more than a project needs, so that a small hostile file cannot make a
// reader recurse without end. The check reads the text once and notes where
// each value and member name stands, so that reading it later finds any
// value without going through the text again.
class JsonChecker {
public:
    JsonChecker() = delete;

    static constexpr int kMaxNesting = 64;

    // The first fault: the byte it is found at and what is wrong, in plain
    // words ("expected a value").
    struct Error {
        std::size_t offset;
        std::string message;
    };

    // The first fault of the text, or nothing when it is one JSON document;
    // then `tape` holds the places JsonValue::root needs to read it.
    static std::optional<Error> check(std::string_view text, JsonValue::Tape& tape);
};

} // namespace scenewright::core::io
