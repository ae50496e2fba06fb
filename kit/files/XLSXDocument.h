#pragma once

#include "kit/CellRef.h"
#include "kit/files/DateFormat.h"
#include "kit/files/XMLScanner.h"
#include "kit/files/ZipArchive.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quorvane {

// An Excel workbook: its sheets, the cells that hold text, and a rewrite that
// changes only the bytes of changed cells. Every cell remembers the byte range
// of the XML that holds its text; writing splices new bytes into those ranges
// and copies every untouched part of the archive in its compressed form.
// Failures are ZipArchive::Failure with the user's message.
class XLSXDocument
{
public:
    struct Cell
    {
        // Where a text cell's text is written, which decides how a new text replaces it.
        enum class Source : quint8 {
            other,        // numbers, booleans, errors, dates: never rewritten
            shared,       // `range` is the content of <v>: the index digits
            inlineString, // `range` is the whole <is> element
            formulaText,  // `range` is the content of <v>: a formula's cached text
        };

        int row = 0;
        int column = 0;
        Source source = Source::other;
        // A shared cell's string index as written (it may point nowhere);
        // for any other cell, where its text is in its sheet's texts.
        int index = -1;
        int prefix = 0; // of the cell's element, as an index into its sheet's prefixes
        int style = 0;  // the s attribute: an index into the workbook's cell formats
        ByteRange range;

        bool isText() const { return source != Source::other; }
    };

    struct Sheet
    {
        QString name;
        QString path;
        QByteArray xml;
        QList<Cell> cells; // in document order
        // The namespace prefixes of cell elements, colon included; new
        // elements reuse their cell's. The first is no prefix.
        QList<QByteArray> prefixes{QByteArray()};
        QStringList texts; // of the cells that show no shared string
        // A cell element without its end tag, or a part that stops before its
        // root's end tag: cells may have been lost to the break.
        bool brokenMarkup = false;
        // A cell whose r attribute names no place a sheet has; it is placed
        // by its neighbours instead.
        bool oddReferences = false;
    };

    // Answers new text for a cell, or nothing to keep it; the cell is absent
    // for shared strings that no cell shows.
    using Transform = std::function<std::optional<QString>(const std::optional<CellRef> &cell,
                                                           const QString &text)>;

    explicit XLSXDocument(const QByteArray &data);

    const ZipArchive &archive() const { return m_archive; }
    const QList<Sheet> &sheets() const { return m_sheets; }
    const std::optional<QString> &sharedPath() const { return m_sharedPath; }
    const QByteArray &sharedXML() const { return m_sharedXML; }
    const QStringList &sharedTexts() const { return m_sharedTexts; }
    const QStringList &warnings() const { return m_warnings; }
    // Texts of the shared strings no readable sheet's cell refers to, in index order.
    QStringList unreferencedSharedStrings() const;
    // What the cell shows; empty for a shared string index that points nowhere.
    const QString &text(const Sheet &sheet, const Cell &cell) const;
    // The same, with dates and times as their number format shows them
    // rather than as the day numbers stored; for showing only.
    QString displayText(const Sheet &sheet, const Cell &cell) const;

    QByteArray data(const Transform &replacing) const;

    // The most the sheets and shared strings may unpack to, in bytes.
    static constexpr quint64 largestUnpacked = 500'000'000;

    // The last row and column Excel itself allows; cells past them are read
    // and rewritten all the same, with a warning.
    static constexpr int excelRows = 1'048'576;
    static constexpr int excelColumns = 16'384;

    // The largest row and column numbers a reference may name.
    static constexpr int largestRow = 2'000'000;
    static constexpr int largestColumn = 20'000;

    // "B3" is row 2, column 1; nothing for anything that isn't a reference.
    static std::optional<std::pair<int, int>> parseReference(QByteArrayView reference);

private:
    void readSharedStrings(const QString &path);
    void readDateStyles(const QString &path, const QByteArray &workbook);
    void readSheet(const QString &name, const QString &path);
    void collectWarnings();
    void collectSheetWarnings(const Sheet &sheet);

    ZipArchive m_archive;
    QList<Sheet> m_sheets;
    std::optional<QString> m_sharedPath;
    QByteArray m_sharedXML;
    QList<ByteRange> m_sharedElements; // each whole <si> element in m_sharedXML
    QStringList m_sharedTexts;
    QStringList m_warnings;
    QList<DateFormat> m_dateFormats;
    QList<qsizetype> m_styleDates; // per cell format: its date format's index, or -1
    bool m_from1904 = false;
};

} // namespace quorvane

Q_DECLARE_TYPEINFO(quorvane::XLSXDocument::Cell, Q_RELOCATABLE_TYPE);
