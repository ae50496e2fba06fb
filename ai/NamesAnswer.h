#pragma once

#include "kit/suggest/NameModel.h"

#include <QJsonObject>

namespace quorvane::NamesAnswer {

// The JSON schema of an answer: an object whose one required property,
// "names", is an array of at most maxNames strings.
QJsonObject schema(int maxNames);

// Reads the model's answer. Not a JSON object: a `decoding` failure.
// "names" missing or not an array: no names. Elements that are not strings
// are skipped; nothing is trimmed or merged.
NameModel::Result parse(const QString &json);

} // namespace quorvane::NamesAnswer
