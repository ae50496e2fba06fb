#include "kit/files/MarkdownTable.h"

#include "kit/CellRef.h"

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

QString trimmedCell(const QString &text)
{
    return text.trimmed(); // whitespace includes CR and LF
}

// The number of cells up to the last one with text; 0 for a blank row.
int width(const QStringList &row)
{
    for (qsizetype i = row.size(); i > 0; --i)
        if (!trimmedCell(row[i - 1]).isEmpty())
            return int(i);
    return 0;
}

QString escaped(const QString &text)
{
    QString cell = trimmedCell(text);
    cell.replace(u'\\', u"\\\\"_s);
    cell.replace(u'|', u"\\|"_s);
    cell.replace(u"\r\n"_s, u"<br>"_s);
    cell.replace(u'\n', u"<br>"_s);
    cell.replace(u'\r', u"<br>"_s);
    return cell;
}

QString line(const QStringList &row, int columns)
{
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells.append(c < row.size() ? escaped(row[c]) : QString());
    return u"| "_s + cells.join(u" | "_s) + u" |"_s;
}

} // namespace

MarkdownTable::Result MarkdownTable::make(const QList<QStringList> &cells, bool headerRow, const Rows &rows)
{
    QList<QStringList> data;
    int columns = 0;
    for (const QStringList &row : cells) {
        if (const int w = width(row); w > 0) {
            data.append(row);
            columns = std::max(columns, w);
        }
    }
    if (columns == 0)
        return {};

    QStringList header;
    if (headerRow) {
        header = data.takeFirst();
    } else {
        for (int c = 0; c < columns; ++c)
            header.append(columnLetters(c));
    }

    const int available = int(data.size());
    int from = 0, to = 0; // 0-based, half-open
    switch (rows.m_kind) {
    case Rows::Kind::first:
        to = std::clamp(rows.m_a, 0, available);
        break;
    case Rows::Kind::range:
        from = std::max(rows.m_a, 1) - 1;
        to = std::min(rows.m_b, available);
        if (to < from)
            to = from;
        break;
    case Rows::Kind::all:
        to = available;
        break;
    }

    QStringList lines{line(header, columns), u"|"_s + u" --- |"_s.repeated(columns)};
    for (int r = from; r < to; ++r)
        lines.append(line(data[r], columns));
    return Result{lines.join(u'\n') + u'\n', to - from, columns};
}

} // namespace quorvane
