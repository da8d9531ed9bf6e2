#pragma once

class QFrame;
class QLabel;
class QPlainTextEdit;
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
    static QPlainTextEdit* descriptionArea();
    // A paragraph of help, wrapped to the panel's width.
    static QLabel* helpText(const QString& text);
    // A long paragraph of help in a read-only area of the given height that
    // scrolls, so that it stays whole in a short editing area.
    static QPlainTextEdit* scrollingHelpText(const QString& text, int height);
};

} // namespace scenewright::gui
