#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace quorvane {

// A delimited text file (comma, semicolon or tab separated) held in memory.
// Reading never fails: any bytes give a document. Writing it back keeps the
// delimiter, line ending, byte order mark, trailing newline and the quoting of
// every quoted field, so a file that was only read comes out as it went in.
class CSVDocument
{
public:
    struct Field
    {
        QString text;        // without the enclosing quotes, doubled quotes collapsed
        bool quoted = false; // began with a double quote; always quoted again on output
        // Its quote never closed, so it ran to the end of the file; it is
        // written back without a closing quote, as it came.
        bool unterminated = false;
        friend bool operator==(const Field &, const Field &) = default;
    };
    using Row = QList<Field>;

    CSVDocument() = default;
    explicit CSVDocument(const QByteArray &data);

    // The bytes to write: always UTF-8, after EF BB BF when byteOrderMark is set.
    QByteArray data() const;
    // A field's new text, or nothing to keep its own.
    using FieldText = std::function<std::optional<QString>(int row, int column, const QString &text)>;
    // The bytes with new texts for some fields, asked for every field in
    // order, row by row; each keeps its quoting. The document is not changed,
    // so none of its rows is copied on the way.
    QByteArray data(const FieldText &replacing) const;
    // The same with each new text as a view that need only last until the
    // next call: a caller that writes every answer over its last one hands
    // over no text of its own.
    using FieldView = std::function<std::optional<QStringView>(int row, int column, const QString &text)>;
    QByteArray dataWithViews(const FieldView &replacing) const;

    QList<Row> rows;
    QChar delimiter = u',';
    QString lineEnding = QStringLiteral("\n");
    bool byteOrderMark = false;
    bool endsWithNewline = false;

    // A quoted field that swallowed what should have been other rows: one
    // whose quote never closed, or one spanning more lines than any real cell.
    struct Runaway
    {
        int row = 0;
        int column = 0;
        int lines = 0;
        bool unterminated = false;
    };
    static constexpr int plausibleLinesInField = 100;
    QList<Runaway> runawayFields() const;

    // Exposed for the tests: the text a file decodes to, and whether it is
    // written back with a byte order mark.
    struct Decoded
    {
        QString text;
        bool byteOrderMark = false;
    };
    static Decoded decode(const QByteArray &data);
    static QChar detectDelimiter(const QString &text);

private:
    template<class Units>
    void read(const typename Units::Unit *units, qsizetype n);
    template<class Replace>
    QByteArray written(const Replace &replacing) const;
};

} // namespace quorvane
