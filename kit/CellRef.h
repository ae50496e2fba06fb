#pragma once

#include <QHashFunctions>
#include <QString>

#include <compare>
#include <optional>

namespace quorvane {

// Column letters of a 0-based index: 0 is A, 26 is AA; negative gives "".
QString columnLetters(int index);
// The inverse of columnLetters, case-insensitive; nothing for a malformed text.
std::optional<int> columnIndex(const QString &letters);

struct CellRef
{
    int sheet = 0;
    int row = 0;
    int column = 0;

    // Column letters and 1-based row: row 2, column 1 is "B3".
    QString displayName() const;
    friend bool operator==(const CellRef &, const CellRef &) = default;
    friend auto operator<=>(const CellRef &, const CellRef &) = default;
};

struct ColumnID
{
    int sheet = 0;
    int column = 0;
    friend bool operator==(const ColumnID &, const ColumnID &) = default;
    friend auto operator<=>(const ColumnID &, const ColumnID &) = default;
};

inline size_t qHash(const CellRef &cell, size_t seed = 0)
{
    return qHashMulti(seed, cell.sheet, cell.row, cell.column);
}
inline size_t qHash(const ColumnID &column, size_t seed = 0)
{
    return qHashMulti(seed, column.sheet, column.column);
}

} // namespace quorvane
