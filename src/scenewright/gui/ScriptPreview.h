#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QTimer;

namespace scenewright::gui {

// A read-only, coloured view of the script the current scene generates,
// kept up to date as the scene changes. Changes are collected for a short
// moment and the script is generated once for all of them, and only while
// the view is shown, so editing never waits on generation.
class ScriptPreview : public QWidget {
    Q_OBJECT
public:
    // Gives the script to show; it may throw IdsExhausted, whose message is
    // then shown in place of the script.
    using ScriptSource = std::function<std::string()>;

    explicit ScriptPreview(QWidget* parent = nullptr);

    void setScriptSource(ScriptSource source) { source_ = std::move(source); }
    // Regenerates soon; a burst of calls regenerates once.
    void scheduleRefresh();
    // Regenerates now (a hidden view only notes that it is behind).
    void refresh();

    QPlainTextEdit* scriptArea() const { return scriptArea_; }
    // Shown in place of the script when the scene cannot be scripted.
    QLabel* message() const { return message_; }
    // How long changes are collected before the script is generated.
    static constexpr int delayMilliseconds = 250;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows the script in place of the one shown, changing only what differs.
    void showChange(const QString& script);

    QPlainTextEdit* scriptArea_;
    QLabel* message_;
    QTimer* timer_;
    QString shownScript_;
    ScriptSource source_;
    bool stale_ = true;
};

} // namespace scenewright::gui
