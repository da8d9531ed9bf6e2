#include "scenewright/app/DisplayCheck.h"

#include <cstdlib>
#include <sstream>
#include <string>

namespace scenewright::app {

namespace {

bool isSet(const char* value)
{
    return value && *value;
}

} // namespace

const char* const DisplayCheck::noDisplayMessage =
    "scenewright: no display to open the window on (DISPLAY or WAYLAND_DISPLAY is not set); run it on a "
    "desktop, or under Xvfb: xvfb-run scenewright (from the source tree: xvfb-run scripts/start.sh)";

bool DisplayCheck::hasDisplay(const char* qpaPlatform, const char* waylandDisplay, const char* x11Display)
{
    if (!isSet(qpaPlatform))
        return isSet(waylandDisplay) || isSet(x11Display);
    // A list of platforms ("wayland;xcb") is tried in order; each may carry
    // options after a colon.
    std::istringstream platforms(qpaPlatform);
    std::string platform;
    while (std::getline(platforms, platform, ';')) {
        platform = platform.substr(0, platform.find(':'));
        if (platform.rfind("xcb", 0) == 0) {
            if (isSet(x11Display))
                return true;
        } else if (platform.rfind("wayland", 0) == 0) {
            if (isSet(waylandDisplay))
                return true;
        } else if (!platform.empty()) {
            return true;
        }
    }
    return false;
}

bool DisplayCheck::hasDisplay()
{
    return hasDisplay(std::getenv("QT_QPA_PLATFORM"), std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"));
}

} // namespace scenewright::app
