#include "ai/NamesAnswer.h"

#include "kit/suggest/Characters.h"
#include "kit/suggest/NamePrompt.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace quorvane::NamesAnswer {

QJsonObject schema(int maxNames)
{
    const QJsonObject names{
        {u"type"_s, u"array"_s},
        {u"description"_s, NamePrompt::schemaDescription},
        {u"items"_s, QJsonObject{{u"type"_s, u"string"_s}}},
        {u"minItems"_s, 0},
        {u"maxItems"_s, maxNames},
    };
    return QJsonObject{
        {u"type"_s, u"object"_s},
        {u"properties"_s, QJsonObject{{u"names"_s, names}}},
        {u"required"_s, QJsonArray{u"names"_s}},
        {u"additionalProperties"_s, false},
    };
}

NameModel::Result parse(const QString &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return NameModelFailure{NameModelFailure::Kind::decoding, u"not JSON: "_s + firstCharacters(json, 160)};

    QStringList names;
    const QJsonValue list = document.object().value(u"names"_s);
    if (!list.isArray())
        return names;
    for (const QJsonValue &element : list.toArray()) {
        if (element.isString())
            names.append(element.toString());
    }
    return names;
}

} // namespace quorvane::NamesAnswer
