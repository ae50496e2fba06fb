#include "kit/suggest/NameWords.h"

#include "kit/find/TextRules.h"


using namespace Qt::StringLiterals;

namespace quorvane::NameWords {

const QSet<QString> &stopWords()
{
    static const QSet<QString> words{
        u"i"_s, u"a"_s, u"an"_s, u"at"_s, u"in"_s, u"on"_s, u"of"_s, u"is"_s, u"was"_s, u"be"_s,
        u"it"_s, u"he"_s, u"she"_s, u"we"_s, u"they"_s, u"you"_s, u"my"_s, u"her"_s, u"his"_s, u"our"_s,
        u"their"_s, u"said"_s, u"says"_s, u"will"_s, u"can"_s, u"did"_s, u"do"_s, u"does"_s, u"has"_s,
        u"had"_s, u"have"_s, u"not"_s, u"no"_s, u"yes"_s, u"ok"_s, u"okay"_s, u"up"_s, u"out"_s,
        u"back"_s, u"new"_s, u"next"_s, u"last"_s, u"late"_s, u"early"_s, u"again"_s, u"also"_s,
        u"just"_s, u"still"_s, u"too"_s, u"mon"_s, u"tue"_s, u"tues"_s, u"wed"_s, u"thu"_s, u"thur"_s,
        u"thurs"_s, u"fri"_s, u"sat"_s, u"sun"_s, u"tbd"_s, u"tba"_s, u"none"_s, u"unknown"_s,
        u"unassigned"_s, u"nobody"_s, u"everyone"_s, u"front"_s, u"desk"_s, u"reception"_s, u"office"_s,
        u"team"_s, u"staff"_s, u"door"_s, u"dock"_s, u"counter"_s, u"lobby"_s, u"warehouse"_s,
        u"shipping"_s, u"accounting"_s, u"sales"_s, u"support"_s, u"manager"_s, u"demo"_s, u"the"_s,
        u"this"_s, u"that"_s, u"these"_s, u"those"_s, u"what"_s, u"who"_s, u"how"_s, u"why"_s,
        u"when"_s, u"where"_s, u"thanks"_s, u"hello"_s, u"hi"_s, u"am"_s, u"pm"_s, u"won"_s, u"lost"_s,
        u"done"_s, u"open"_s, u"closed"_s, u"paid"_s, u"unpaid"_s, u"pending"_s, u"cancelled"_s,
        u"active"_s, u"inactive"_s, u"high"_s, u"low"_s, u"medium"_s, u"urgent"_s, u"normal"_s, u"na"_s,
    };
    return words;
}

const QSet<QString> &leadWords()
{
    static const QSet<QString> words{
        u"with"_s, u"from"_s, u"per"_s, u"for"_s, u"by"_s, u"to"_s, u"via"_s, u"cc"_s,
        u"ask"_s, u"asked"_s, u"tell"_s, u"told"_s, u"call"_s, u"called"_s, u"knows"_s, u"met"_s,
        u"thanks"_s, u"thank"_s, u"sister"_s, u"brother"_s, u"mom"_s, u"dad"_s, u"mother"_s, u"father"_s,
        u"wife"_s, u"husband"_s, u"son"_s, u"daughter"_s, u"friend"_s, u"boss"_s, u"mr"_s, u"mrs"_s,
        u"ms"_s, u"dr"_s, u"miss"_s, u"cover"_s, u"covering"_s, u"pair"_s, u"and"_s,
    };
    return words;
}

bool isNonName(const QString &lowerCaseWord)
{
    return stopWords().contains(lowerCaseWord) || cueWords().contains(lowerCaseWord)
        || titleWords().contains(lowerCaseWord);
}

namespace {

void append(QString &out, char32_t c)
{
    out += QStringView(QChar::fromUcs4(c));
}

} // namespace

QString titleCased(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool inWord = false;
    for (const char32_t c : text.toUcs4()) {
        if (!QChar::isLetter(c)) {
            append(out, c);
            inWord = inWord && (c == U'\'' || c == U'\u2019');
            continue;
        }
        const char32_t changed = inWord ? QChar::toLower(c) : QChar::toUpper(c);
        append(out, QChar::requiresSurrogates(changed) == QChar::requiresSurrogates(c) ? changed : c);
        inWord = true;
    }
    return out;
}

TextRange trimmed(const QString &text, TextRange span)
{
    QList<Word> words = nameWords(span.of(text));
    const auto isNonNameWord = [](const Word &word) { return isNonName(word.word.toLower()); };
    while (!words.isEmpty() && isNonNameWord(words.constFirst()))
        words.removeFirst();
    while (!words.isEmpty() && isNonNameWord(words.constLast()))
        words.removeLast();
    if (words.isEmpty())
        return {span.start, span.start};
    return {span.start + words.constFirst().range.start, span.start + words.constLast().range.end};
}

} // namespace quorvane::NameWords
