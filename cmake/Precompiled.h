// Headers nearly every translation unit includes; precompiling them once per
// target takes most of the cost out of building on a small machine.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
