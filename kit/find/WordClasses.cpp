#include "kit/find/WordClasses.h"

#include "kit/find/WordSet.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

struct Inflection
{
    QStringView ending;
    QStringView replacement;
    // The class the inflected form takes when its base has it; 0 keeps the base's own.
    char marks;
};

// Regular English endings, tried in order; irregular forms are rare in the
// words that matter here (capitalised words of notes).
constexpr Inflection inflections[] = {
    {u"ies", u"y", 0},  {u"ses", u"s", 0}, {u"es", u"", 0},   {u"s", u"", 0},
    {u"ied", u"y", 'v'}, {u"ed", u"e", 'v'}, {u"ed", u"", 'v'}, {u"ing", u"e", 'v'},
    {u"ing", u"", 'v'}, {u"ier", u"y", 'a'}, {u"er", u"", 'a'}, {u"iest", u"y", 'a'},
    {u"est", u"", 'a'},  {u"ly", u"", 'r'},
};

} // namespace

const WordClasses &WordClasses::shared()
{
    // Never destroyed: taking its table apart would only delay the program's exit.
    static const WordClasses &classes = *new WordClasses;
    return classes;
}

size_t WordClasses::hashOf(QStringView stem, QStringView ending)
{
    size_t hash = WordSet::Hash::start;
    for (QStringView part : {stem, ending}) {
        for (QChar c : part)
            hash = WordSet::Hash::step(hash, c.unicode());
    }
    return hash;
}

// The hash of an ASCII word as hashOf has it for the same letters.
size_t WordClasses::hashOfAscii(QByteArrayView word)
{
    size_t hash = WordSet::Hash::start;
    for (char c : word)
        hash = WordSet::Hash::step(hash, uchar(c));
    return hash;
}

WordClasses::WordClasses()
{
    QFile file(u":/quorvane/find/wordclasses.txt"_s);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_lines = file.readAll();
    std::vector<uint32_t> starts;
    for (qsizetype start = 0; start < m_lines.size();) {
        qsizetype end = m_lines.indexOf('\n', start);
        if (end < 0)
            end = m_lines.size();
        const qsizetype space = m_lines.indexOf(' ', start);
        if (m_lines.at(start) != '#' && space > start && space < end)
            starts.push_back(uint32_t(start));
        start = end + 1;
    }
    size_t slots = 16;
    while (slots < starts.size() * 2)
        slots *= 2;
    m_slots.assign(slots, 0);
    const size_t mask = slots - 1;
    for (const uint32_t start : starts) {
        const QByteArrayView word = wordOfLine(start);
        size_t slot = hashOfAscii(word) & mask;
        // A word listed twice takes its later line.
        while (m_slots[slot] != 0 && wordOfLine(m_slots[slot] - 1) != word)
            slot = (slot + 1) & mask;
        m_slots[slot] = start + 1;
    }
}

QByteArrayView WordClasses::wordOfLine(uint32_t start) const
{
    const QByteArrayView line = QByteArrayView(m_lines).sliced(start);
    return line.first(line.indexOf(' '));
}

QByteArray WordClasses::lookUp(QStringView stem, QStringView ending) const
{
    if (m_slots.empty())
        return {};
    const qsizetype length = stem.size() + ending.size();
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hashOf(stem, ending) & mask; m_slots[slot] != 0; slot = (slot + 1) & mask) {
        const char *line = m_lines.constData() + m_slots[slot] - 1;
        qsizetype at = 0;
        for (QStringView part : {stem, ending}) {
            for (qsizetype i = 0; i < part.size() && at >= 0; ++i)
                at = line[at] != ' ' && uchar(line[at]) == part.at(i).unicode() ? at + 1 : -1;
        }
        if (at == length && line[at] == ' ') {
            const char *classes = line + at + 1;
            const char *lineEnd = m_lines.constData() + m_lines.size();
            const char *end = std::find(classes, lineEnd, '\n');
            return QByteArray::fromRawData(classes, end - classes);
        }
    }
    return {};
}

QByteArray WordClasses::classesOf(const QString &word) const
{
    QByteArray classes = lookUp(word);
    if (!classes.isEmpty() || word.size() < 4)
        return classes;
    for (const Inflection &inflection : inflections) {
        // Asked of every word of every note: compared here, not by a call.
        const QStringView ending = inflection.ending;
        if (!std::equal(ending.begin(), ending.end(), word.end() - ending.size()))
            continue;
        const QStringView stem = QStringView(word).chopped(inflection.ending.size());
        const QStringView tail = inflection.replacement;
        classes = lookUp(stem, tail);
        // "shipped", "running": the consonant doubled before the ending, the
        // base's last two letters.
        const qsizetype baseSize = stem.size() + tail.size();
        const auto baseAt = [&](qsizetype i) { return i < stem.size() ? stem.at(i) : tail.at(i - stem.size()); };
        if (classes.isEmpty() && baseSize > 2 && baseAt(baseSize - 1) == baseAt(baseSize - 2))
            classes = tail.isEmpty() ? lookUp(stem.chopped(1)) : lookUp(stem, tail.chopped(1));
        if (classes.isEmpty())
            continue;
        if (inflection.marks == 0)
            return classes;
        if (classes.contains(inflection.marks == 'r' ? 'a' : inflection.marks))
            return QByteArray(1, inflection.marks);
    }
    return {};
}

bool WordClasses::isEverydayWord(const QString &word) const
{
    const QByteArray classes = classesOf(word);
    return !classes.isEmpty() && classes.front() != properNoun;
}

bool WordClasses::isProperNoun(const QString &word) const
{
    const QByteArray classes = classesOf(word);
    return !classes.isEmpty() && classes.front() == properNoun;
}

} // namespace quorvane
