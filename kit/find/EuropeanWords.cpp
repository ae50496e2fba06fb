#include "kit/find/EuropeanWords.h"

#include "kit/find/WordSet.h"

#include <QFile>

#include <unordered_map>

using namespace Qt::StringLiterals;

namespace quorvane::europeanWords {

namespace {

using Kinds = std::unordered_map<QString, quint8, WordSet::Hash, WordSet::Equal>;

quint8 kindOf(QByteArrayView kind)
{
    if (kind == "calls")
        return word | call;
    if (kind == "doing")
        return word | doing;
    if (kind == "leads")
        return word | lead;
    if (kind == "honorifics")
        return word | honorific;
    if (kind == "firms")
        return word | firm;
    return word;
}

quint8 kindOfSection(QByteArrayView heading)
{
    const QByteArrayView kind = heading.sliced(heading.indexOf(' ') + 1);
    const quint8 language = heading.startsWith("de ") ? german : 0;
    return language | kindOf(kind);
}

// The bundled list: "[xx kind]" opens a section, "#" lines are notes.
Kinds readList()
{
    Kinds kinds;
    QFile file(u":/quorvane/find/europeanwords.txt"_s);
    if (!file.open(QIODevice::ReadOnly))
        return kinds;
    quint8 section = word;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            section = kindOfSection(line.trimmed().chopped(1).mid(1));
            continue;
        }
        for (const QString &entry : QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts))
            kinds[entry] |= section;
    }
    return kinds;
}

const Kinds &listed()
{
    static const Kinds kinds = readList();
    return kinds;
}

quint8 lookUp(QStringView word)
{
    const auto found = listed().find(word);
    return found == listed().end() ? 0 : found->second;
}

} // namespace

quint8 kindsOf(const QString &lowercasedWord)
{
    if (const quint8 kinds = lookUp(lowercasedWord))
        return kinds;
    // "l'appel", "dell'ufficio", "d’accord": what follows the elision decides,
    // so "d'Angelo" stays a name.
    static const WordSet elided{u"l"_s, u"d"_s, u"j"_s, u"c"_s, u"qu"_s, u"n"_s, u"s"_s, u"m"_s, u"t"_s, u"un"_s,
                                u"dell"_s, u"all"_s, u"nell"_s, u"dall"_s, u"sull"_s, u"quest"_s};
    for (qsizetype i = 1; i + 1 < lowercasedWord.size() && i <= 5; ++i) {
        const QChar c = lowercasedWord.at(i);
        if (c != u'\'' && c != u'’')
            continue;
        if (elided.contains(QStringView(lowercasedWord).first(i)))
            return lookUp(QStringView(lowercasedWord).sliced(i + 1)) & word;
        break;
    }
    return 0;
}

bool isAbbreviation(const QString &lowercasedWord)
{
    // Shorter beginnings are initials and names as often as abbreviations.
    constexpr qsizetype shortest = 4;
    static const WordSet beginnings = [] {
        WordSet set;
        for (const auto &[listedWord, kinds] : listed())
            for (qsizetype size = shortest; size < listedWord.size() - 1; ++size)
                set.insert(listedWord.first(size));
        return set;
    }();
    return lowercasedWord.size() >= shortest && beginnings.contains(lowercasedWord);
}

bool isHonorificEnding(const QString &start, const QString &ending)
{
    static const WordSet starts{u"sig"_s, u"dott"_s, u"avv"_s, u"prof"_s, u"ing"_s};
    static const WordSet endings{u"ra"_s, u"ssa"_s, u"na"_s, u"ina"_s};
    return starts.contains(start) && endings.contains(ending);
}

} // namespace quorvane::europeanWords
