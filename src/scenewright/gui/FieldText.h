#pragma once

#include "scenewright/core/action/FieldTable.h"

#include <QString>

namespace scenewright::gui {

// The text forms in which the editors show field values: numbers as the
// script writes them, so that a value reads back unchanged.
class FieldText {
public:
    static QString number(double value);
    static QString number(int value);
    // Any field value; the empty text for a missing one; lists joined by ",".
    static QString of(const core::action::FieldValue& value);
    // The text with leading and trailing blanks and control characters removed.
    static QString trimmed(const QString& text);
};

} // namespace scenewright::gui
