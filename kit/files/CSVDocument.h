#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
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
    // A field's text and quoting in 16 bytes: a large file has millions of
    // fields, and a QString with two flags beside it took twice that. The
    // text shares its storage as a QString does, kept as where it starts in
    // that storage and how long it is.
    class Field
    {
    public:
        Field() = default;
        Field(const QString &text, bool quoted = false, bool unterminated = false);
        Field(QString &&text, bool quoted = false, bool unterminated = false);
        Field(const Field &other);
        Field(Field &&other) noexcept;
        Field &operator=(const Field &other);
        Field &operator=(Field &&other) noexcept;
        ~Field();

        // Without the enclosing quotes, doubled quotes collapsed.
        QString text() const;
        // Makes the given string this text. Most fields share their storage
        // with the one before, and a string that already shares it is only
        // pointed elsewhere in it, without counting a reference.
        void assignTo(QString &text) const;
        // The same text, valid while the field is neither changed nor gone.
        QStringView view() const;
        qsizetype size() const { return m_size; }
        void setText(const QString &text);
        void setText(QString &&text);
        // Began with a double quote; always quoted again on output.
        bool quoted() const { return m_quoted; }
        // Its quote never closed, so it ran to the end of the file; it is
        // written back without a closing quote, as it came.
        bool unterminated() const { return m_unterminated; }

        friend bool operator==(const Field &a, const Field &b)
        {
            return a.m_quoted == b.m_quoted && a.m_unterminated == b.m_unterminated && a.view() == b.view();
        }

    private:
        void release();
        char16_t *units() const
        {
            return reinterpret_cast<char16_t *>(reinterpret_cast<char *>(m_storage) + m_offset);
        }

        QArrayData *m_storage = nullptr; // one reference to it held, none for an empty text
        uint32_t m_offset : 30 = 0;      // in bytes from the storage's start
        uint32_t m_quoted : 1 = 0;
        uint32_t m_unterminated : 1 = 0;
        uint32_t m_size = 0;
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

// A large file's rows are grown by moving their fields' bytes.
Q_DECLARE_TYPEINFO(quorvane::CSVDocument::Field, Q_RELOCATABLE_TYPE);
