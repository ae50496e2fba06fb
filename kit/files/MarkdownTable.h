#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quorvane {

// A sheet as a Markdown pipe table, for pasting into a chat or a document.
class MarkdownTable
{
public:
    // Which data rows to copy (the header row is always written).
    class Rows
    {
    public:
        static Rows first(int count) { return Rows(Kind::first, count, 0); }
        // Data rows from..to, counted from 1, both included.
        static Rows range(int from, int to) { return Rows(Kind::range, from, to); }
        static Rows all() { return Rows(Kind::all, 0, 0); }

    private:
        friend class MarkdownTable;
        enum class Kind { first, range, all };
        Rows(Kind kind, int a, int b) : m_kind(kind), m_a(a), m_b(b) {}
        Kind m_kind;
        int m_a;
        int m_b;
    };

    struct Result
    {
        QString text;
        int rows = 0; // data rows in the table, the header not counted
        int columns = 0;
    };

    // `cells` are a sheet's rows of cell texts. With `headerRow`, the first
    // row with text is the header; otherwise the header is the column letters.
    // A sheet with no text gives an empty text and no rows or columns.
    static Result make(const QList<QStringList> &cells, bool headerRow, const Rows &rows);
};

} // namespace quorvane
