#include "scenewright/gui/FieldText.h"

#include "scenewright/core/NumberParser.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::gui {

QString FieldText::of(double value)
{
    return QString::fromStdString(core::script::ScriptText::number(value));
}

QString FieldText::trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

std::optional<QString> FieldText::emptyMessage(const QString& caption, const QString& text)
{
    if (!trimmed(text).isEmpty())
        return std::nullopt;
    return caption + " cannot be emtpy. Please enter a value ";
}

FieldText::Reading<double> FieldText::decimal(const QString& caption, const QString& text,
                                                        const QString& notANumber)
{
    if (auto empty = emptyMessage(caption, text))
        return {std::nullopt, *empty};
    if (auto value = core::NumberParser::parseDouble(trimmed(text).toStdString()))
        return {value, {}};
    return {std::nullopt, notANumber};
}

FieldText::Reading<int> FieldText::whole(const QString& caption, const QString& text,
                                                   const QString& notANumber)
{
    if (auto empty = emptyMessage(caption, text))
        return {std::nullopt, *empty};
    if (auto value = core::NumberParser::parseInt(trimmed(text).toStdString()))
        return {value, {}};
    return {std::nullopt, notANumber};
}

} // namespace scenewright::gui
