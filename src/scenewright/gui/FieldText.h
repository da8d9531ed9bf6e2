#pragma once

#include "scenewright/core/action/FieldTable.h"

#include <QString>

#include <optional>

namespace scenewright::gui {

// How the editors' text fields show values and read them back. Numbers are
// shown as the script writes them, so a value reads back unchanged; they are
// read by the core's one number parser, blanks around them ignored.
class FieldText {
public:
    // What a field yields: its value, or the message that refuses it.
    template <class T>
    struct Reading {
        std::optional<T> value;
        QString refusal;
    };

    // The shortest text that reads back as the same double, always with a
    // fraction ("50.0", "0.75").
    static QString number(double value);
    static QString number(int value);
    // Any field value; the empty text for a missing one; lists joined by ",".
    static QString of(const core::action::FieldValue& value);

    // The text without the characters of code 32 or below at either end.
    static QString trimmed(const QString& text);
    // No value when the field holds more than blanks; otherwise the caption
    // followed by " cannot be emtpy. Please enter a value ".
    static std::optional<QString> emptyMessage(const QString& caption, const QString& text);

    // The empty check, then the decimal number; `notANumber` refuses a text
    // that does not parse.
    static Reading<double> decimal(const QString& caption, const QString& text, const QString& notANumber);
    // The empty check, then the whole number.
    static Reading<int> whole(const QString& caption, const QString& text, const QString& notANumber);
};

} // namespace scenewright::gui
