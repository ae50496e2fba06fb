#pragma once

#include "kit/TextRange.h"
#include "kit/find/Kinds.h"

#include <QList>
#include <QString>

#include <memory>
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

// An address's parts, or none, held apart from the finding: a large file has
// hundreds of thousands of findings, nearly all names, and four optional
// texts held inline would more than double each one. Copies share the parts,
// which never change once made.
class OptionalAddress
{
public:
    OptionalAddress() = default;
    OptionalAddress(std::nullopt_t) {}
    OptionalAddress(AddressParts parts) : m_parts(std::make_shared<const AddressParts>(std::move(parts))) {}

    bool has_value() const { return m_parts != nullptr; }
    explicit operator bool() const { return has_value(); }
    const AddressParts &operator*() const { return *m_parts; }
    const AddressParts *operator->() const { return m_parts.get(); }
    AddressParts value_or(AddressParts otherwise) const { return m_parts ? *m_parts : std::move(otherwise); }

    friend bool operator==(const OptionalAddress &a, const OptionalAddress &b)
    {
        return a.m_parts == b.m_parts || (a && b && *a == *b);
    }
    friend bool operator==(const OptionalAddress &a, const AddressParts &b) { return a && *a == b; }

private:
    std::shared_ptr<const AddressParts> m_parts;
};

// A value found in a cell text; its range is within that text.
struct Finding
{
    ValueKind kind = ValueKind::name;
    TextRange range;
    QString text;
    QList<NamePart> nameParts; // names only
    OptionalAddress address;   // addresses only
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

// A large file's findings are many, held in lists that grow by moving their bytes.
Q_DECLARE_TYPEINFO(quorvane::Finding, Q_RELOCATABLE_TYPE);
