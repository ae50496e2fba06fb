#pragma once

#include "kit/CellRef.h"
#include "kit/files/XMLScanner.h"
#include "kit/files/ZipArchive.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <variant>

namespace quorvane {

// An Excel workbook: its sheets, the cells that hold text, and a rewrite that
// changes only the bytes of changed cells. Every cell remembers the byte range
// of the XML that holds its text; writing splices new bytes into those ranges
// and copies every untouched part of the archive in its compressed form.
// Failures are ZipArchive::Failure with the user's message.
class XLSXDocument
{
public:
    struct SharedString
    {
        ByteRange element; // the whole <si> element in sharedXML
        QString text;
    };

    struct Cell
    {
        struct Shared
        {
            int index = 0;
            ByteRange value; // the content of <v>: the index digits
        };
        struct Inline
        {
            ByteRange element; // the whole <is> element
        };
        struct FormulaText
        {
            ByteRange value; // the content of <v>: a formula's cached text
        };
        struct Other // numbers, booleans, errors, dates: never rewritten
        {
        };
        using Source = std::variant<Other, Shared, Inline, FormulaText>;

        int row = 0;
        int column = 0;
        Source source;
        QString text;
        QString prefix; // of the cell's element, with its colon; new elements reuse it

        bool isText() const { return !std::holds_alternative<Other>(source); }
    };

    struct Sheet
    {
        QString name;
        QString path;
        QByteArray xml;
        QList<Cell> cells; // in document order
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
    const QList<SharedString> &shared() const { return m_shared; }
    const QStringList &warnings() const { return m_warnings; }
    // Texts of the shared strings no readable sheet's cell refers to, in index order.
    QStringList unreferencedSharedStrings() const;

    QByteArray data(const Transform &replacing) const;

    // "B3" is row 2, column 1; nothing for anything that isn't a reference.
    static std::optional<std::pair<int, int>> parseReference(QByteArrayView reference);

private:
    void readSharedStrings(const QString &path);
    void readSheet(const QString &name, const QString &path);
    void collectWarnings();

    ZipArchive m_archive;
    QList<Sheet> m_sheets;
    std::optional<QString> m_sharedPath;
    QByteArray m_sharedXML;
    QList<SharedString> m_shared;
    QStringList m_warnings;
};

} // namespace quorvane

Q_DECLARE_TYPEINFO(quorvane::XLSXDocument::Cell, Q_RELOCATABLE_TYPE);
