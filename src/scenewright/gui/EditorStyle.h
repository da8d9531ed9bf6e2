#pragma once

class QFrame;
class QLabel;
class QString;

namespace scenewright::gui {

// The look the editors and dialogs share: a light lavender, bevelled panel,
// bold headings, red error messages and read-only description areas.
class EditorStyle {
public:
    static void applyTo(QFrame* panel);
    static QLabel* heading(const QString& text);
    // Empty until a save fails.
    static QLabel* errorLabel();
    // A read-only description that can be selected, wrapped to the panel's
    // width and as tall as its text, so that it shows whole.
    static QLabel* descriptionArea();
    // A paragraph of help, wrapped to the panel's width.
    static QLabel* helpText(const QString& text);
};

} // namespace scenewright::gui
