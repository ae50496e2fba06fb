#pragma once

#include "kit/TextRange.h"
#include "kit/find/Kinds.h"

#include <QList>
#include <QString>

#include <optional>

namespace quorvane {

enum class NameRole { first, last };
QString rawString(NameRole role); // "first", "last"

// One word of a name that gets a stand-in; its range is within the finding's text.
struct NamePart
{
    TextRange range;
    QString word;
    NameRole role = NameRole::first;
    friend bool operator==(const NamePart &, const NamePart &) = default;
};

struct AddressParts
{
    std::optional<QString> street;
    std::optional<QString> city;
    std::optional<QString> state;
    std::optional<QString> zip;
    friend bool operator==(const AddressParts &, const AddressParts &) = default;
};

// A value found in a cell text; its range is within that text.
struct Finding
{
    ValueKind kind = ValueKind::name;
    TextRange range;
    QString text;
    QList<NamePart> nameParts;           // names only
    std::optional<AddressParts> address; // addresses only
    friend bool operator==(const Finding &, const Finding &) = default;
};

// A value the user asked to replace everywhere, like a nickname.
struct ExtraTerm
{
    QString text;
    ValueKind kind = ValueKind::name;
    friend bool operator==(const ExtraTerm &, const ExtraTerm &) = default;
};

inline size_t qHash(const ExtraTerm &term, size_t seed = 0)
{
    return qHashMulti(seed, term.text, static_cast<int>(term.kind));
}

} // namespace quorvane
