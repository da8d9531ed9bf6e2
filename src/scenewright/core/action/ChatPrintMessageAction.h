#pragma once

#include "scenewright/core/action/AtmoAction.h"

#include <optional>
#include <string>

namespace scenewright::core::action {

// Prints a line in the chat window.
class ChatPrintMessageAction : public AtmoAction {
public:
    explicit ChatPrintMessageAction(IAtmoObject* owner = nullptr);

    // The line to print; nothing is printed without one.
    std::optional<std::string> message;

    const char* className() const override { return "ChatPrintMessageAction"; }
    const FieldTable& fieldTable() const override;

    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const override;
    std::string exitTriggerScript(const script::ScriptContext&) const override { return {}; }
    std::string doTriggerScript(const script::ScriptContext& context) const override;
    std::string doScript(const script::ScriptContext&) const override { return {}; }
    bool namesOwner() const override { return false; }

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<ChatPrintMessageAction>(*this); }
};

} // namespace scenewright::core::action
