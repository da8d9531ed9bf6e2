#include "scenewright/gui/FieldText.h"

#include "scenewright/core/NumberParser.h"
#include "scenewright/core/script/ScriptText.h"

#include <QStringList>

namespace scenewright::gui {

using core::script::ScriptText;

QString FieldText::number(double value)
{
    return QString::fromStdString(ScriptText::number(value));
}

QString FieldText::number(int value)
{
    return QString::number(value);
}

QString FieldText::of(const core::action::FieldValue& value)
{
    struct Visitor {
        QString operator()(std::monostate) const { return {}; }
        QString operator()(int v) const { return number(v); }
        QString operator()(double v) const { return number(v); }
        QString operator()(bool v) const { return v ? "true" : "false"; }
        QString operator()(const std::optional<std::string>& v) const
        {
            return v ? QString::fromStdString(*v) : QString();
        }
        QString operator()(const std::vector<std::string>& v) const
        {
            QStringList parts;
            for (const auto& entry : v)
                parts << QString::fromStdString(entry);
            return parts.join(",");
        }
        QString operator()(const std::optional<std::vector<int>>& v) const
        {
            QStringList parts;
            if (v)
                for (int entry : *v)
                    parts << number(entry);
            return parts.join(",");
        }
    };
    return std::visit(Visitor{}, value);
}

QString FieldText::trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= ' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= ' ')
        --end;
    return text.mid(begin, end - begin);
}

std::optional<QString> FieldText::emptyMessage(const QString& caption, const QString& text)
{
    if (!trimmed(text).isEmpty())
        return std::nullopt;
    return caption + " cannot be emtpy. Please enter a value ";
}

FieldText::Reading<double> FieldText::decimal(const QString& caption, const QString& text, const QString& notANumber)
{
    if (auto empty = emptyMessage(caption, text))
        return {std::nullopt, *empty};
    if (auto value = core::NumberParser::parseDouble(trimmed(text).toStdString()))
        return {value, {}};
    return {std::nullopt, notANumber};
}

FieldText::Reading<int> FieldText::whole(const QString& caption, const QString& text, const QString& notANumber)
{
    if (auto empty = emptyMessage(caption, text))
        return {std::nullopt, *empty};
    if (auto value = core::NumberParser::parseInt(trimmed(text).toStdString()))
        return {value, {}};
    return {std::nullopt, notANumber};
}

} // namespace scenewright::gui
