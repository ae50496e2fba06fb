#include "kit/swap/StandInPlan.h"

#include "kit/find/TextRules.h"
#include "kit/keys/CodePoints.h"
#include "kit/keys/WrittenForm.h"
#include "kit/keys/ZipPlus4.h"

#include <QRegularExpression>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Every unit word of the pattern below contains one of these.
const std::array<QStringView, 9> &unitWordPieces()
{
    static const std::array<QStringView, 9> pieces{u"apt", u"apartment", u"suite", u"ste", u"unit",
                                                   u"fl", u"rm", u"room", u"#"};
    return pieces;
}

// Written in capitals: no letter changes when upper-cased, and some letter
// does when lower-cased. E-mail addresses are nearly always ASCII, which is
// decided without copying the text.
bool isAllCaps(const QString &text)
{
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii)
        return text == text.toUpper() && text != text.toLower();
    const auto isIn = [&](char16_t from, char16_t to) {
        return std::any_of(text.cbegin(), text.cend(), [&](QChar c) { return c.unicode() >= from && c.unicode() <= to; });
    };
    return !isIn(u'a', u'z') && isIn(u'A', u'Z');
}

struct Replacement
{
    TextRange range;
    QString text;
};

// A finding's replacements, nearly always two or three: kept off the heap.
using Replacements = QVarLengthArray<Replacement, 4>;

// Whether the ranges run in order without overlapping, as a finding's
// parts do, so that the new text can be put together in one pass.
bool inOrderApart(const Replacements &replacements, qsizetype textSize)
{
    qsizetype end = 0;
    for (const Replacement &r : replacements) {
        if (r.range.start < end || r.range.end <= r.range.start)
            return false;
        end = r.range.end;
    }
    return end <= textSize;
}

// Applies replacements from the last to the first so earlier ranges stay put.
QString replaced(const QString &text, Replacements replacements)
{
    if (inOrderApart(replacements, text.size())) {
        qsizetype size = text.size();
        for (const Replacement &r : replacements)
            size += r.text.size() - r.range.length();
        QString result;
        result.reserve(size);
        qsizetype from = 0;
        for (const Replacement &r : replacements) {
            result.append(QStringView(text).sliced(from, r.range.start - from)).append(r.text);
            from = r.range.end;
        }
        return result.append(QStringView(text).sliced(from));
    }
    QString result = text;
    std::stable_sort(replacements.begin(), replacements.end(),
                     [](const Replacement &a, const Replacement &b) { return a.range.start > b.range.start; });
    for (const Replacement &r : replacements)
        result.replace(r.range.start, r.range.length(), r.text);
    return result;
}

class Planner
{
public:
    Planner(ProjectKey &key, const ProjectKey::Reserved &reserved) : m_key(key), m_reserved(reserved)
    {
        // A name's two parts, an address's street, town and ZIP code: one allocation.
        m_entries.reserve(3);
    }

    QString standIn(const QString &real, EntryKind kind)
    {
        const QString assigned = m_key.assignSubstitute(real, kind, m_reserved);
        const qsizetype index = m_key.lastAssigned();
        QString before = m_key.entries().at(index).real;
        if (m_key.preferSpelling(real, kind))
            m_respelled.append({index, std::move(before)});
        const ProjectKey::Entry entry{kind, real, assigned};
        if (!m_entries.contains(entry)) {
            m_entries.append(entry);
            m_keyIndexes.append(index);
        }
        return assigned;
    }

    StandInPlan plan(const Finding &finding)
    {
        switch (finding.kind) {
        case ValueKind::name: return planned(name(finding));
        case ValueKind::email: return planned(email(finding.text));
        case ValueKind::phone:
            return planned(StandInPlan::phoneLayout(standIn(finding.text, EntryKind::phone), finding.text));
        case ValueKind::address: return planned(address(finding));
        }
        return {finding.text, {}, {}, {}};
    }

private:
    StandInPlan planned(QString text) { return {std::move(text), m_entries, m_keyIndexes, m_respelled}; }

    QString name(const Finding &finding)
    {
        Replacements parts;
        for (const NamePart &part : finding.nameParts) {
            const EntryKind kind = part.role == NameRole::first ? EntryKind::firstName : EntryKind::lastName;
            parts.append({part.range, standInCasedLike(standIn(part.word, kind), part.word)});
        }
        return replaced(finding.text, parts);
    }

    QString zip(const QString &real)
    {
        const QString assigned = standIn(real, EntryKind::zip);
        return zipPlus4::written(real, m_key.entries().at(m_key.lastAssigned()).real, assigned, m_key);
    }

    QString email(const QString &text)
    {
        const QString assigned = standIn(text, EntryKind::email);
        const bool allCaps = isAllCaps(text);
        return allCaps ? assigned.toUpper() : assigned;
    }

    QString address(const Finding &finding)
    {
        const QString &text = finding.text;
        const AddressParts parts = finding.address.value_or(AddressParts{});
        Replacements replacements;
        qsizetype from = 0;
        // Each part is looked for after the one before it, so a town that also
        // occurs inside the street name is not taken for the town.
        auto locate = [&](const QString &part) -> std::optional<TextRange> {
            if (part.isEmpty())
                return std::nullopt;
            const qsizetype at = text.indexOf(part, from);
            if (at < 0)
                return std::nullopt;
            from = at + part.size();
            return TextRange{at, from};
        };
        if (parts.street) {
            QString street = StandInPlan::streetWithoutUnit(*parts.street);
            // "12 Oak St. Apt 4": the period stays in the text, as it does
            // after a street without a unit, so both are one spelling.
            if (street.endsWith(u'.'))
                street.chop(1);
            if (auto range = locate(street))
                replacements.append({*range, standInCasedLike(standIn(street, EntryKind::street), street)});
        }
        if (parts.city) {
            if (auto range = locate(*parts.city))
                replacements.append({*range, standInCasedLike(standIn(*parts.city, EntryKind::city), *parts.city)});
        }
        if (parts.state)
            locate(*parts.state);
        if (parts.zip) {
            if (auto range = locate(*parts.zip))
                replacements.append({*range, zip(*parts.zip)});
        }
        return replaced(text, replacements);
    }

    ProjectKey &m_key;
    const ProjectKey::Reserved &m_reserved;
    QList<ProjectKey::Entry> m_entries;
    QVarLengthArray<qsizetype, 4> m_keyIndexes;
    QList<std::pair<qsizetype, QString>> m_respelled;
};

} // namespace

StandInPlan StandInPlan::of(const Finding &finding, ProjectKey &workingKey, const ProjectKey::Reserved &reserved)
{
    return Planner(workingKey, reserved).plan(finding);
}

QString StandInPlan::streetWithoutUnit(const QString &street)
{
    static const QRegularExpression unit(
        uR"([,\s]+(?:apt|apartment|suite|ste|unit|#|fl|floor|rm|room)\b.*$|[,\s]+#.*$)"_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    // The pattern is dear and nearly every street lacks all of its words.
    // Letters outside ASCII may match them caselessly, so those streets
    // always go to the pattern.
    const bool ascii = std::all_of(street.cbegin(), street.cend(), [](QChar c) { return c.unicode() < 0x80; });
    // Lowered once, an ASCII street is searched for each piece as it is.
    bool mayHoldUnit = !ascii;
    if (ascii) {
        const QString lowered = lowerCased(street);
        mayHoldUnit = std::any_of(unitWordPieces().cbegin(), unitWordPieces().cend(),
                                  [&](QStringView piece) { return lowered.contains(piece); });
    }
    if (!mayHoldUnit)
        return street;
    const auto match = unit.match(street);
    return match.hasMatch() ? street.left(match.capturedStart()) : street;
}

QString StandInPlan::phoneLayout(const QString &standInDigits, const QString &realText)
{
    // A stand-in with an extension ("4155550142x1234"): the number laid out,
    // then the extension.
    if (const qsizetype x = standInDigits.indexOf(u'x'); x >= 0)
        return phoneLayout(standInDigits.left(x), realText) + u" x"_s + standInDigits.mid(x + 1);
    if (auto laid = phoneLaidLike(standInDigits, realText))
        return *laid;
    return plainPhoneLayout(standInDigits, realText.startsWith(u'+'));
}

} // namespace quorvane
