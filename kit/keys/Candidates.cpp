#include "kit/keys/Candidates.h"

#include "kit/keys/CodePoints.h"
#include "kit/keys/Pools.h"

#include <QList>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

QString pick(const QStringList &pool, uint64_t number)
{
    return pool.at(qsizetype(number % uint64_t(pool.size())));
}

// Written straight into the text: every phone and ZIP candidate has one or two.
QString zeroPadded(uint64_t number, int width)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + number % 10);
        number /= 10;
    } while (number != 0);
    QString text(std::max(count, width), u'0');
    for (int i = 0; i < count; ++i)
        text[text.size() - 1 - i] = QChar(char16_t(digits[i]));
    return text;
}

// k digits for an e-mail address: the last k digits of the number below ten
// billion, filled up with 7s when the number is too short.
void appendDigitsFrom(QString &out, uint64_t number, qsizetype k)
{
    char16_t digits[10];
    qsizetype count = 0;
    number %= 10'000'000'000ULL;
    do {
        digits[count++] = char16_t(u'0' + number % 10);
        number /= 10;
    } while (number != 0);
    // digits holds the number from its last digit on.
    for (qsizetype i = std::min(count, k) - 1; i >= 0; --i)
        out.append(QChar(digits[i]));
    for (qsizetype i = count; i < k; ++i)
        out.append(u'7');
}

QString digitsFrom(uint64_t number, qsizetype k)
{
    QString text;
    appendDigitsFrom(text, number, k);
    return text;
}

class Digests
{
public:
    Digests(const ProjectKey::SeedDigest &digests, int attempt) : m_digests(digests), m_attempt(attempt) {}
    uint64_t operator()(QStringView variant = {}) const { return m_digests(m_attempt, variant); }

private:
    const ProjectKey::SeedDigest &m_digests;
    int m_attempt;
};

// Takes one digit of a mixed-radix number: the widened families draw every
// part of a candidate from one digest.
qsizetype takeDigit(uint64_t &number, qsizetype radix)
{
    const qsizetype digit = qsizetype(number % uint64_t(radix));
    number /= uint64_t(radix);
    return digit;
}

bool isWidened(int attempt)
{
    return attempt >= ProjectKey::maxAttempts;
}

QString nameCandidate(const QStringList &pool, LetterCase written, int attempt, const Digests &d)
{
    const qsizetype n = pool.size();
    if (isWidened(attempt)) {
        uint64_t w = d(u"w");
        QString cand = pool.at(takeDigit(w, n));
        cand += u'-' + pool.at(takeDigit(w, n));
        cand += u'-' + pool.at(takeDigit(w, n));
        return matchingCase(cand, written);
    }
    const QString cand = attempt < 2 * n ? pick(pool, d()) : pick(pool, d(u"a")) + u'-' + pick(pool, d(u"b"));
    return matchingCase(cand, written);
}

QString oneWordTown(uint64_t &w)
{
    const QString &start = pools::cityStarts().at(takeDigit(w, pools::cityStarts().size()));
    return start + pools::cityEnds().at(takeDigit(w, pools::cityEnds().size()));
}

QString cityCandidate(LetterCase written, int attempt, const Digests &d)
{
    if (isWidened(attempt)) {
        uint64_t w = d(u"w");
        QString cand = oneWordTown(w);
        cand += u'-' + oneWordTown(w);
        cand += u' ' + pools::townWords().at(takeDigit(w, pools::townWords().size()));
        return matchingCase(cand, written);
    }
    QString cand = pick(pools::cityStarts(), d(u"s")) + pick(pools::cityEnds(), d(u"e"));
    if (attempt > 599)
        cand += u' ' + pools::cityExtras().at(attempt % pools::cityExtras().size());
    return matchingCase(cand, written);
}

// The last run of non-space characters of the value.
QStringView lastWord(QStringView real)
{
    qsizetype end = real.size();
    while (end > 0 && real.at(end - 1).isSpace())
        --end;
    qsizetype start = end;
    while (start > 0 && !real.at(start - 1).isSpace())
        --start;
    return real.sliced(start, end - start);
}

// The last word of the value, lower-cased and without dots ("St." → "st").
QString lastStreetWord(const QString &real)
{
    return lowerCased(lastWord(real).toString()).remove(u'.');
}

// The last word as lastStreetWord has it, written into the buffer without
// making a text, for a short ASCII word as nearly every street ends with;
// nothing for any other.
std::optional<QStringView> lastAsciiStreetWord(QStringView real, std::array<char16_t, 24> &buffer)
{
    qsizetype length = 0;
    for (QChar c : lastWord(real)) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || length == qsizetype(buffer.size()))
            return std::nullopt;
        if (u != u'.')
            buffer[size_t(length++)] = u >= u'A' && u <= u'Z' ? char16_t(u - u'A' + u'a') : u;
    }
    return QStringView(buffer.data(), length);
}

bool isAbbreviated(const QString &real)
{
    static const QList<std::pair<QString, QString>> lowered = [] {
        QList<std::pair<QString, QString>> forms;
        for (const pools::StreetType &type : pools::streetTypes())
            forms.append({type.shortForm.toLower(), type.longForm.toLower()});
        return forms;
    }();
    std::array<char16_t, 24> buffer;
    const std::optional<QStringView> ascii = lastAsciiStreetWord(real, buffer);
    const QString other = ascii ? QString() : lastStreetWord(real);
    const QStringView word = ascii ? *ascii : QStringView(other);
    return std::any_of(lowered.cbegin(), lowered.cend(),
                       [&](const auto &forms) { return forms.first == word && forms.second != word; });
}

QString streetCandidate(LetterCase written, bool abbreviated, const Digests &d)
{
    const uint64_t house = 10 + d(u"n") % 9980;
    const pools::StreetType &type = pools::streetTypes().at(qsizetype(d(u"t") % 12));
    const QString name = pick(pools::streetNames(), d(u"s"));
    const QString typeWord = abbreviated ? type.shortForm : type.longForm;
    return matchingCase(QString::number(house) + u' ' + name + u' ' + typeWord, written);
}

// Ten digits: an area code from 200 to 999, 555, 01 and two digits.
QString widenedPhone(uint64_t &w)
{
    const QString area = QString::number(200 + takeDigit(w, 800));
    return area + u"55501"_s + zeroPadded(uint64_t(takeDigit(w, 100)), 2);
}

QString phoneCandidate(const QString &norm, int attempt, const Digests &d)
{
    if (isWidened(attempt)) {
        uint64_t w = d(u"w");
        QString number = widenedPhone(w);
        if (norm.size() != 7 || attempt >= phoneExtensionFrom)
            number += u'x' + QString::number(1000 + takeDigit(w, 9000));
        return number;
    }
    const uint64_t line = d(u"l") % 100;
    const QChar tens(char16_t(u'0' + line / 10)), ones(char16_t(u'0' + line % 10));
    if (norm.size() == 7)
        return u"55501"_s + tens + ones;
    const QString area = attempt <= 1999 ? pick(pools::areaCodes(), d()) : QString::number(200 + d(u"x") % 800);
    return area + u"55501"_s + tens + ones;
}

qsizetype countDigits(const QString &text)
{
    return std::count_if(text.cbegin(), text.cend(), [](QChar c) { return isAsciiDigit(c.unicode()); });
}

QString zipCandidate(const QString &real, int attempt, const Digests &d)
{
    if (isWidened(attempt)) {
        uint64_t w = d(u"w");
        QString zip = zeroPadded(uint64_t(takeDigit(w, 100000)), 5);
        if (countDigits(real) == 9)
            zip += u'-' + zeroPadded(uint64_t(takeDigit(w, 10000)), 4);
        return zip;
    }
    QString zip = zeroPadded(10000 + d() % 89900, 5);
    if (countDigits(real) == 9)
        zip += u'-' + zeroPadded(d(u"4") % 10000, 4);
    return zip;
}

// An e-mail local part cut at its separators: one more token than separators.
// Every address being swapped is cut, so the tokens are places in its text.
struct LocalPart
{
    struct Token
    {
        qsizetype start = 0;
        qsizetype end = 0;
    };
    QString text;
    QVarLengthArray<Token, 4> tokens{{}};
    QString separators;
    qsizetype length = 0; // in characters, a pair of surrogates counting one
    qsizetype trailingDigits = 0;

    QStringView token(const Token &token) const { return QStringView(text).sliced(token.start, token.end - token.start); }
};

bool isSeparator(QChar c)
{
    return c == u'.' || c == u'-' || c == u'_' || c == u'+';
}

LocalPart cutLocalPart(QString local)
{
    LocalPart part;
    part.text = std::move(local);
    const QString &text = part.text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!(c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++part.length;
        part.trailingDigits = isAsciiDigit(c.unicode()) ? part.trailingDigits + 1 : 0;
        if (isSeparator(c)) {
            part.tokens.last().end = i;
            part.separators.append(c);
            part.tokens.append({i + 1, i + 1});
        }
    }
    part.tokens.last().end = text.size();
    return part;
}

// The units of the text's leading letters, a letter beyond the Basic
// Multilingual Plane taking its pair of surrogates.
qsizetype leadingLetters(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size()) {
        const bool pair = at + 1 < text.size() && text.at(at).isHighSurrogate() && text.at(at + 1).isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text.at(at), text.at(at + 1)) : text.at(at).unicode();
        if (!QChar::isLetter(c))
            break;
        at += pair ? 2 : 1;
    }
    return at;
}

// The address's name tokens as the stand-ins the key already gave them,
// lower-cased, each with the count of digits that follow it; nothing when a
// token is not a known name.
struct NamedLocal
{
    // An address has few tokens; each of a large file's addresses is cut.
    QVarLengthArray<QString, 4> standIns; // empty for a token of digits alone
    QVarLengthArray<qsizetype, 4> digitCounts;
};

std::optional<NamedLocal> namedLocal(const ProjectKey &key, const LocalPart &local)
{
    NamedLocal named;
    bool anyLetters = false;
    for (const LocalPart::Token &place : local.tokens) {
        const QStringView token = local.token(place);
        const qsizetype split = leadingLetters(token);
        const QStringView letters = token.first(split);
        const QStringView rest = token.sliced(split);
        if (!std::all_of(rest.begin(), rest.end(), [](QChar c) { return isAsciiDigit(c.unicode()); }))
            return std::nullopt;
        QString standIn;
        if (!letters.isEmpty()) {
            anyLetters = true;
            const ProjectKey::Entry *entry = key.entryForReal(letters, EntryKind::firstName);
            if (!entry)
                entry = key.entryForReal(letters, EntryKind::lastName);
            if (!entry)
                return std::nullopt;
            standIn = lowerCased(entry->standIn);
        }
        named.standIns.append(standIn);
        named.digitCounts.append(rest.size());
    }
    if (!anyLetters)
        return std::nullopt;
    return named;
}

// The local part made of the name tokens' stand-ins ("john.smith42" →
// "mateo.okafor17").
QString nameBasedLocal(const NamedLocal &named, const LocalPart &local, int attempt, const Digests &d)
{
    QString result;
    for (qsizetype i = 0; i < named.standIns.size(); ++i) {
        result += named.standIns.at(i);
        if (named.digitCounts.at(i) > 0)
            appendDigitsFrom(result, d(QString(u"p"_s + QString::number(i))), named.digitCounts.at(i));
        if (i < local.separators.size())
            result += local.separators.at(i);
    }
    if (attempt > 0)
        result += QString::number(attempt);
    return result;
}

QString poolBasedLocal(const LocalPart &local, int attempt, const Digests &d)
{
    const QString first = lowerCased(pick(pools::firstNames(), d(u"f")));
    const QString last = lowerCased(pick(pools::lastNames(), d(u"l")));
    QString result;
    if (!local.separators.isEmpty())
        result = first + local.separators.front() + last;
    else if (local.length <= 8)
        result = first.left(1) + last;
    else
        result = first + last;
    if (local.trailingDigits > 0)
        result += digitsFrom(d(u"t"), std::min<qsizetype>(local.trailingDigits, 4));
    if (attempt >= 3000)
        result += QString::number(attempt);
    return result;
}

} // namespace

QString localText(const QString &real)
{
    for (const QStringView piece : QStringView(real).tokenize(u'@', Qt::SkipEmptyParts))
        return lowerCased(piece.toString());
    return lowerCased(real);
}

struct ValueCandidates::Email
{
    LocalPart local;
    std::optional<NamedLocal> named;
};

ValueCandidates::ValueCandidates(const ProjectKey &key, EntryKind kind, const QString &real, const QString &norm)
    : m_kind(kind), m_real(real), m_norm(norm),
      m_case(kind == EntryKind::email || kind == EntryKind::phone || kind == EntryKind::zip ? LetterCase::mixed
                                                                                          : caseToMatch(real)),
      m_abbreviatedStreet(kind == EntryKind::street && isAbbreviated(real))
{
    if (kind != EntryKind::email)
        return;
    m_email = std::make_unique<Email>();
    m_email->local = cutLocalPart(localText(real));
    m_email->named = namedLocal(key, m_email->local);
}

ValueCandidates::~ValueCandidates() = default;

bool ValueCandidates::nameBasedEmail() const
{
    return m_email && m_email->named.has_value();
}

QString ValueCandidates::operator()(const ProjectKey::SeedDigest &digests, int attempt) const
{
    const Digests d(digests, attempt);
    switch (m_kind) {
    case EntryKind::firstName: return nameCandidate(pools::firstNames(), m_case, attempt, d);
    case EntryKind::lastName: return nameCandidate(pools::lastNames(), m_case, attempt, d);
    case EntryKind::city: return cityCandidate(m_case, attempt, d);
    case EntryKind::street: return streetCandidate(m_case, m_abbreviatedStreet, d);
    case EntryKind::phone: return phoneCandidate(m_norm, attempt, d);
    case EntryKind::zip: return zipCandidate(m_real, attempt, d);
    case EntryKind::email: {
        const QString domain = pick(pools::emailDomains(), d(u"d"));
        if (attempt < 50 && m_email->named)
            return nameBasedLocal(*m_email->named, m_email->local, attempt, d) + u'@' + domain;
        return poolBasedLocal(m_email->local, attempt, d) + u'@' + domain;
    }
    }
    return {};
}

QString candidate(const ProjectKey &key, EntryKind kind, const QString &real, const QString &norm,
                  const QString &seed, int attempt)
{
    return candidate(key, kind, real, norm, key.seedDigest(seed), attempt);
}

QString candidate(const ProjectKey &key, EntryKind kind, const QString &real, const QString &norm,
                  const ProjectKey::SeedDigest &digests, int attempt)
{
    return ValueCandidates(key, kind, real, norm)(digests, attempt);
}

} // namespace quorvane
