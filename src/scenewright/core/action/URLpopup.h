#pragma once

#include "scenewright/core/action/AtmoAction.h"

#include <optional>
#include <string>

namespace scenewright::core::action {

// Opens a web page in a new browser window.
class URLpopup : public AtmoAction {
public:
    explicit URLpopup(IAtmoObject* owner = nullptr);

    // The page to open.
    std::optional<std::string> url;
    // The new window's size in pixels.
    int width;
    int height;
    // Which parts of the browser window are shown.
    bool menubar;
    bool toolbar;
    bool location;
    bool status;
    bool scrollbars;
    bool resizable;

    const char* className() const override { return "URLpopup"; }
    const FieldTable& fieldTable() const override;

    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const override;
    std::string exitTriggerScript(const script::ScriptContext&) const override { return {}; }
    std::string doTriggerScript(const script::ScriptContext& context) const override;
    std::string doScript(const script::ScriptContext&) const override { return {}; }
    bool namesOwner() const override { return false; }

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<URLpopup>(*this); }
};

} // namespace scenewright::core::action
