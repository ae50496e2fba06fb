#include "kit/find/PortableLexicalTagger.h"

#include "kit/find/TextRules.h"
#include "kit/find/WordClasses.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

bool isDeterminer(const QString &word)
{
    static const QSet<QString> words{u"a"_s, u"an"_s, u"the"_s, u"this"_s, u"that"_s, u"these"_s,
                                     u"those"_s, u"my"_s, u"your"_s, u"our"_s, u"their"_s,
                                     u"his"_s, u"her"_s, u"its"_s};
    return words.contains(word);
}

LexicalClass classOf(char letter)
{
    switch (letter) {
    case WordClasses::adjective: return LexicalClass::adjective;
    case WordClasses::verb: return LexicalClass::verb;
    case WordClasses::adverb: return LexicalClass::adverb;
    default: return LexicalClass::other;
    }
}

} // namespace

LexicalClass PortableLexicalTagger::lexicalClass(qsizetype offset) const
{
    const QList<Word> words = nameWords(m_text);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const Word &word = words.at(i);
        if (offset < word.range.start || offset >= word.range.end)
            continue;
        const QByteArray classes = WordClasses::shared().classesOf(word.word.toLower());
        if (classes.isEmpty())
            return LexicalClass::other;
        const bool afterDeterminer = i > 0 && isDeterminer(words.at(i - 1).word.toLower());
        if (afterDeterminer && classes.front() != WordClasses::adjective
            && (classes.contains(WordClasses::noun) || classes.contains(WordClasses::properNoun)))
            return LexicalClass::other;
        return classOf(classes.front());
    }
    return LexicalClass::other;
}

} // namespace quorvane
