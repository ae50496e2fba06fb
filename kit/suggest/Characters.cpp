#include "kit/suggest/Characters.h"

#include <QTextBoundaryFinder>

namespace quorvane {

QString firstCharacters(const QString &text, qsizetype count)
{
    // A cluster holds at least one code unit, so short texts need no walk.
    if (text.size() <= count)
        return text;
    if (count <= 0)
        return {};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype seen = 0;
    while (finder.toNextBoundary() != -1) {
        if (++seen == count)
            return text.left(finder.position());
    }
    return text;
}

qsizetype letterCount(QStringView word)
{
    qsizetype letters = 0;
    for (const char32_t c : word.toUcs4())
        letters += QChar::isLetter(c) ? 1 : 0;
    return letters;
}

} // namespace quorvane
