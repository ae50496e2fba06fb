#include "kit/restore/Restorer.h"

#include "kit/files/Spreadsheet.h"
#include "kit/find/TextRules.h"
#include "kit/keys/Candidates.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Unicode-aware \d, \s and \b, as the patterns are written for.
constexpr auto unicode = QRegularExpression::UseUnicodePropertiesOption;

const QRegularExpression &phonePattern()
{
    // A stand-in may carry an extension: " x" and four digits.
    static const QRegularExpression pattern(
        uR"((?<![\d])(?:\+?1[\s.\-]?)?(?:\(\d{3}\)|\d{3})?[\s.\-]?555[\s.\-]?01\d{2}(?:( ?x\d{4}))?(?!\d))"_s,
        unicode);
    return pattern;
}

const QRegularExpression &streetPattern()
{
    static const QRegularExpression pattern(
        uR"((?<![\p{L}\p{N}])\d{2,4} \p{Lu}\p{L}+ \p{L}+\.?(?![\p{L}\p{N}]))"_s, unicode);
    return pattern;
}

const QRegularExpression &zipPattern()
{
    // A look-behind must have a fixed length per alternative, so the one or
    // two spaces after the state code are spelled out as two alternatives.
    static const QRegularExpression pattern(
        uR"((?<=\b[A-Z]{2}[ \x{00A0}]|\b[A-Z]{2}[ \x{00A0}]{2})\d{5}(?:-\d{4})?(?!\d))"_s, unicode);
    return pattern;
}

bool isAllCaps(const QString &text)
{
    return text == text.toUpper() && text != text.toLower();
}

// Digits of a phone number as the key compares them: a leading 1 of an
// 11-digit number is the country code and is dropped.
QString nationalDigits(const QString &text)
{
    QString result = digits(text);
    if (result.size() == 11 && result.startsWith(u'1'))
        result.remove(0, 1);
    return result;
}

QString phoneLike(const QString &real, const QString &matched)
{
    const QString realDigits = nationalDigits(real);
    const QString textDigits = digits(matched);
    std::optional<QString> laid;
    if (textDigits.size() == realDigits.size())
        laid = formatLike(realDigits, matched);
    else if (textDigits.size() == realDigits.size() + 1 && textDigits.startsWith(u'1'))
        laid = formatLike(u'1' + realDigits, matched);
    return laid.value_or(real);
}

// The replacements of one run, kept by start so an overlap test is one probe
// on each side; the first replacement to claim a stretch keeps it.
class Replacements
{
public:
    void add(qsizetype start, qsizetype end, const QString &text)
    {
        if (start < end && overlapsAny(start, end))
            return;
        m_byStart.emplace(start, Item{end, text});
    }
    int count() const { return int(m_byStart.size()); }

    QString appliedTo(QString text) const
    {
        for (auto it = m_byStart.rbegin(); it != m_byStart.rend(); ++it)
            text.replace(it->first, it->second.end - it->first, it->second.text);
        return text;
    }

private:
    struct Item
    {
        qsizetype end;
        QString text;
    };

    bool overlapsAny(qsizetype start, qsizetype end) const
    {
        auto next = m_byStart.lower_bound(start);
        if (next != m_byStart.end() && next->first < end && next->first < next->second.end)
            return true;
        // Earlier starts: only the nearest non-empty one can reach past start,
        // because kept ranges never overlap each other.
        for (auto it = std::make_reverse_iterator(next); it != m_byStart.rend(); ++it) {
            if (it->first < it->second.end)
                return it->second.end > start;
        }
        return false;
    }

    std::multimap<qsizetype, Item> m_byStart;
};

} // namespace

Restorer::TextResult Restorer::restore(const QString &text) const
{
    if (m_key.entries().isEmpty() || text.isEmpty())
        return {text, 0};

    Replacements found;

    for (auto it = emailPattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString matched = match.captured();
        if (auto entry = m_key.entryForSubstitute(matched, EntryKind::email))
            found.add(match.capturedStart(), match.capturedEnd(),
                      isAllCaps(matched) ? entry->real.toUpper() : entry->real);
    }

    for (auto it = phonePattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        // A match may begin with the separator in front of 555.
        qsizetype start = match.capturedStart();
        while (start < match.capturedEnd()
               && (text.at(start).isSpace() || text.at(start) == u'-' || text.at(start) == u'.'))
            ++start;
        qsizetype end = match.capturedEnd();
        auto entry = m_key.entryForSubstitute(text.mid(start, end - start), EntryKind::phone);
        // An extension the key does not know belongs to the text, not to the stand-in.
        if (!entry && match.capturedLength(1) > 0) {
            end = match.capturedStart(1);
            entry = m_key.entryForSubstitute(text.mid(start, end - start), EntryKind::phone);
        }
        // The real number takes the layout of the number before any extension.
        const qsizetype numberEnd = match.capturedLength(1) > 0 ? match.capturedStart(1) : end;
        if (entry)
            found.add(start, end, phoneLike(entry->real, text.mid(start, numberEnd - start)));
    }

    for (auto it = streetPattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        if (auto entry = m_key.entryForSubstitute(match.captured(), EntryKind::street))
            found.add(match.capturedStart(), match.capturedEnd(), entry->real);
    }

    for (auto it = zipPattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        if (auto entry = m_key.entryForSubstitute(match.captured().left(5), EntryKind::zip))
            found.add(match.capturedStart(), match.capturedEnd(), entry->real);
    }

    // First names, last names and towns share one namespace, so one lookup
    // serves all three. Lower-case words are ordinary words, never stand-ins.
    for (const Word &word : nameWords(text)) {
        if (!isCapitalised(word.word))
            continue;
        QString matched = word.word;
        auto entry = m_key.entryForSubstitute(matched, EntryKind::firstName);
        if (!entry) {
            // "Mateo’s" restores "Mateo" and keeps the possessive.
            const auto apostrophe = std::find_if(matched.cbegin(), matched.cend(), [](QChar c) {
                return c == u'\'' || c == u'’';
            });
            if (apostrophe != matched.cend() && apostrophe != matched.cbegin()) {
                matched.truncate(apostrophe - matched.cbegin());
                entry = m_key.entryForSubstitute(matched, EntryKind::firstName);
            }
        }
        if (entry)
            found.add(word.range.start, word.range.start + matched.size(),
                      matchingCase(entry->real, matched));
    }

    if (found.count() == 0)
        return {text, 0};
    return {found.appliedTo(text), found.count()};
}

Restorer::FileResult Restorer::restore(const Spreadsheet &spreadsheet) const
{
    int total = 0;
    const QByteArray data = spreadsheet.data(
        [this, &total](const std::optional<CellRef> &, const QString &text) -> std::optional<QString> {
            TextResult restored = restore(text);
            if (restored.count == 0)
                return std::nullopt;
            total += restored.count;
            return std::move(restored.text);
        });
    return {data, total};
}

} // namespace quorvane
