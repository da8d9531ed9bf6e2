#pragma once

namespace scenewright::app {

// Whether the program has a display to open its window on, decided from the
// variables that tell Qt where to draw. Qt itself aborts when it finds none.
class DisplayCheck {
public:
    // The values of QT_QPA_PLATFORM, WAYLAND_DISPLAY and DISPLAY; null when
    // unset. A platform that draws without a desktop (offscreen, minimal,
    // vnc, eglfs, linuxfb...) always has one.
    static bool hasDisplay(const char* qpaPlatform, const char* waylandDisplay, const char* x11Display);
    // The same for this process's environment.
    static bool hasDisplay();

    static const char* const noDisplayMessage;
};

} // namespace scenewright::app
