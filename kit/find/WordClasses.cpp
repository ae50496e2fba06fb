#include "kit/find/WordClasses.h"

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
    static const WordClasses classes;
    return classes;
}

WordClasses::WordClasses()
{
    QFile file(u":/quorvane/find/wordclasses.txt"_s);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray data = file.readAll();
    m_classes.reserve(60000);
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        const QByteArrayView line = QByteArrayView(data).sliced(start, end - start);
        start = end + 1;
        const qsizetype space = line.indexOf(' ');
        if (line.startsWith('#') || space <= 0)
            continue;
        m_classes.insert_or_assign(QString::fromUtf8(line.first(space)), line.sliced(space + 1).toByteArray());
    }
}

QByteArray WordClasses::classesOf(const QString &word) const
{
    QByteArray classes = lookUp(word);
    if (!classes.isEmpty() || word.size() < 4)
        return classes;
    for (const Inflection &inflection : inflections) {
        if (!word.endsWith(inflection.ending))
            continue;
        QString base = word.chopped(inflection.ending.size()) + inflection.replacement;
        classes = lookUp(base);
        // "shipped", "running": the consonant doubled before the ending.
        if (classes.isEmpty() && base.size() > 2 && base.back() == base.at(base.size() - 2)) {
            base.chop(1);
            classes = lookUp(base);
        }
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
