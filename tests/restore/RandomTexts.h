#pragma once

#include "kit/TextRange.h"

#include <QList>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QString>

#include <cstddef>
#include <type_traits>

// Helpers for the tests that hold a hand-written matcher to the pattern it
// replaces: texts glued from pieces chosen to sit on the pattern's edges, the
// ranges the pattern matches, and every match the matcher finds when walked on
// from each match's end.
namespace quorvane::tests {

template <std::size_t N>
QString randomText(QRandomGenerator &random, const QString (&pieces)[N], int maxPieces)
{
    QString text;
    const int length = int(random.bounded(1, maxPieces));
    for (int i = 0; i < length; ++i)
        text += pieces[random.bounded(int(N))];
    return text;
}

inline QList<TextRange> patternRanges(const QRegularExpression &pattern, const QString &text)
{
    QList<TextRange> ranges;
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        ranges.append({match.capturedStart(), match.capturedEnd()});
    }
    return ranges;
}

template <typename Next, typename EndOf>
auto everyMatch(const QString &text, Next next, EndOf endOf)
{
    QList<std::decay_t<decltype(*next(text, 0))>> matches;
    for (auto match = next(text, 0); match; match = next(text, endOf(*match)))
        matches.append(*match);
    return matches;
}

} // namespace quorvane::tests
