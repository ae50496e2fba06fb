#pragma once

#include "kit/files/XLSXDocument.h"

namespace quorvane {

// Reads the cells of worksheet parts. A large part is read as two halves at
// once, split at a row that names its own number, when the first half's
// reading confirms that the split falls between two elements; otherwise it
// is read from start to end. Either way the cells come out the same.
class SheetReader
{
public:
    // Fills in the sheet's cells, texts and prefixes from its xml.
    static void read(XLSXDocument::Sheet &sheet);
    // The same, splitting at the first row tag from byte `from` on. Answers
    // where the halves met, or -1 when the part was read in one go.
    static qsizetype readSplittingAfter(XLSXDocument::Sheet &sheet, qsizetype from);

    // Reads in one go with the general XML scanner alone, as the reference
    // that the quicker readings are checked against.
    static void readWithScannerOnly(XLSXDocument::Sheet &sheet);

    // The text of an <si> or <is> element's content: its <t> runs joined,
    // phonetic runs left out.
    static QString stringItemText(const QByteArray &xml, ByteRange content);

    // Parts smaller than this are read in one go.
    static constexpr qsizetype splitSize = 4 << 20;
};

} // namespace quorvane
