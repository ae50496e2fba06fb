#include "kit/CellRef.h"

namespace quorvane {

QString columnLetters(int index)
{
    QString letters;
    // Bijective base 26 over index + 1; unsigned so the largest int cannot overflow.
    for (unsigned n = index < 0 ? 0u : unsigned(index) + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + int((n - 1) % 26)));
    return letters;
}

std::optional<int> columnIndex(const QString &letters)
{
    if (letters.isEmpty() || letters.size() > 6)
        return std::nullopt;
    int value = 0;
    for (QChar c : letters) {
        const char16_t upper = c.toUpper().unicode();
        if (upper < u'A' || upper > u'Z')
            return std::nullopt;
        value = value * 26 + (upper - u'A' + 1);
    }
    return value - 1;
}

QString CellRef::displayName() const
{
    return columnLetters(column) + QString::number(row + 1);
}

} // namespace quorvane
