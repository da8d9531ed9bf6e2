#include "scenewright/core/action/URLpopup.h"

#include "scenewright/core/script/IScript.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

namespace {

// Window features are switched with "yes" and "no".
const char* yesNo(bool value)
{
    return value ? "yes" : "no";
}

// The address sits in a single-quoted literal of the page's script, which
// itself sits in a double-quoted literal of the world's script: escaped for
// the inner literal, then once more for the outer one.
std::string doublyQuoted(const std::optional<std::string>& url)
{
    std::string out;
    for (char c : ScriptText::literal(url)) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace

URLpopup::URLpopup(IAtmoObject* owner) : AtmoAction(owner)
{
    URLpopup::fieldTable().writeDefaults(*this);
    static const Texts texts{
        "Open URL up in new window",
        "Set the URL where you wish the new popup window to redirect to in the 'url' field. "};
    useKindTexts(texts);
}

const FieldTable& URLpopup::fieldTable() const
{
    static const FieldTable table = FieldTable()
                                        .add("url", &URLpopup::url, std::nullopt, FieldShown::InGenericEditor, "url")
                                        .add("width", &URLpopup::width, 600)
                                        .add("height", &URLpopup::height, 400)
                                        .add("menubar", &URLpopup::menubar, false)
                                        .add("toolbar", &URLpopup::toolbar, false)
                                        .add("location", &URLpopup::location, false)
                                        .add("status", &URLpopup::status, false)
                                        .add("scrollbars", &URLpopup::scrollbars, false)
                                        .add("resizable", &URLpopup::resizable, true);
    return table;
}

std::shared_ptr<AtmoAction> URLpopup::newInstance(IAtmoObject* owner, IdCounter&) const
{
    return std::make_shared<URLpopup>(owner);
}

std::string URLpopup::doTriggerScript(const script::ScriptContext&) const
{
    std::string out;
    out.reserve(200);
    out += "sendJS(\"window.open('" + doublyQuoted(url) + "','newinst','";
    out += std::string("menubar=") + yesNo(menubar) + ",toolbar=" + yesNo(toolbar) + ",location=" + yesNo(location)
           + ",status=" + yesNo(status) + ",scrollbars=" + yesNo(scrollbars) + ",resizable=" + yesNo(resizable);
    out += ",width=" + ScriptText::number(width) + ",height=" + ScriptText::number(height) + "')\")"
           + script::IScript::endline;
    return out;
}

} // namespace scenewright::core::action
