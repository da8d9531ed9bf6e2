#include "scenewright/core/action/ChatPrintMessageAction.h"

#include "scenewright/core/script/IScript.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>

namespace scenewright::core::action {

using script::ScriptText;

ChatPrintMessageAction::ChatPrintMessageAction(IAtmoObject* owner) : AtmoAction(owner)
{
    ChatPrintMessageAction::fieldTable().writeDefaults(*this);
    static const Texts texts{"Print message in chat window", "Enter in a message to be displayed"};
    useKindTexts(texts);
}

const FieldTable& ChatPrintMessageAction::fieldTable() const
{
    static const FieldTable table = FieldTable().add("message", &ChatPrintMessageAction::message, std::nullopt);
    return table;
}

std::shared_ptr<AtmoAction> ChatPrintMessageAction::newInstance(IAtmoObject* owner, IdCounter&) const
{
    return std::make_shared<ChatPrintMessageAction>(owner);
}

std::string ChatPrintMessageAction::doTriggerScript(const script::ScriptContext&) const
{
    if (!message)
        return {};
    // Chat lines show apostrophes as grave accents. Only the printed copy
    // changes: the message keeps what the user typed.
    std::string shown = *message;
    std::replace(shown.begin(), shown.end(), '\'', '`');
    std::string out;
    out.reserve(shown.size() + 16);
    out += "chat.print('";
    ScriptText::appendLiteral(out, shown);
    ScriptText::append(out, "')", script::IScript::endline);
    return out;
}

} // namespace scenewright::core::action
