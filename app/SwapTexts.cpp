#include "app/SwapTexts.h"

#include <QKeySequence>

using namespace Qt::StringLiterals;

namespace quorvane::SwapTexts {

namespace {

QString counted(qsizetype count, const QString &one, const QString &many)
{
    return QString::number(count) % (count == 1 ? one : many);
}

QString sentenceStart(const QString &text)
{
    return text.isEmpty() ? text : text.front().toUpper() + text.mid(1);
}

} // namespace

QString openFailedTitle() { return u"The file couldn’t be opened"_s; }
QString swapFailedTitle() { return u"The file couldn’t be swapped"_s; }
QString saveFailedTitle() { return u"The file couldn’t be saved"_s; }
QString opening(const QString &fileName) { return u"Opening “"_s % fileName % u"”…"_s; }
QString swapping() { return u"Swapping…"_s; }
QString saving(const QString &fileName) { return u"Saving “"_s % fileName % u"”…"_s; }
QString saveMessage() { return u"Save a copy with stand-ins. Your original file isn’t changed."_s; }
QString chooserMessage() { return u"Choose a CSV or Excel file to swap."_s; }

QString columnsHelp()
{
    return u"Check what each column holds. Use the menu in a column’s header to change it; “Find automatically” "
           u"looks inside every cell."_s;
}

QString headerRowHelp() { return u"Headers are left as they are and help guess what each column holds"_s; }

QString summary(FileKind kind, int dataRows, int values)
{
    return (kind == FileKind::csv ? u"CSV"_s : u"Excel workbook"_s) % u" · "_s % counted(dataRows, u" row"_s, u" rows"_s)
           % u" · "_s % QString::number(values) % u" values found"_s;
}

QString previewNote() { return u"Showing the first 300 rows. Every row is scanned and swapped."_s; }
QString reviewButton(qsizetype count) { return u"Review "_s % QString::number(count) % u" Values"_s; }

QString itemLine(const ReviewItem &item)
{
    QString line = item.text % u", "_s % rawString(item.kind) % u", becomes "_s % item.standIn;
    if (item.inFreeText)
        line += u", in free text"_s;
    return line;
}

QString freeTextNote(int cells)
{
    return u"Names inside free text (notes, comments) can be missed. This file has "_s % QString::number(cells)
           % u" cells of free text; look through them before you share, and add anything missed below. Quorvane "
             u"swaps what it finds for stand-ins; it doesn’t anonymize a file."_s;
}

QString conflictsNote(const QStringList &values)
{
    return u"Already stand-ins in this key: "_s % values.join(u", "_s)
           % u". They’re in this file as they are, so restoring a file would turn them into real values."_s;
}

QString countLine(qsizetype kept, qsizetype all)
{
    return QString::number(kept) % u" of "_s % QString::number(all) % u" will be replaced"_s;
}

QString nothingForModel(const QString &model)
{
    return u"Nothing left for "_s % model % u" to read in this file."_s;
}

QString modelCanRead(const QString &model, qsizetype cells, int seconds, const QString &place)
{
    return sentenceStart(model) % u" can read "_s % counted(cells, u" cell"_s, u" cells"_s)
           % u" for names the rules missed, "_s % place % u" (about "_s % QString::number(seconds) % u" s)."_s;
}

QString askModelButton(const QString &model)
{
    return u"Ask "_s % model;
}

QString modelProgress(int done, int total)
{
    return u"Reading cell "_s % QString::number(done) % u" of "_s % QString::number(total);
}

QString modelFinished(const QString &model, int asked, int failed, int skipped)
{
    QString text = sentenceStart(model) % u" read "_s % counted(asked, u" cell"_s, u" cells"_s);
    if (failed > 0)
        text += u" ("_s % QString::number(failed) % u" it couldn’t)"_s;
    if (skipped > 0)
        text += u"; "_s % QString::number(skipped) % u" more weren’t read"_s;
    return text % u". Anything it found is listed above."_s;
}

QString savedLine(const QString &savedAs, int replaced)
{
    return u"Saved “"_s % savedAs % u"” with "_s % QString::number(replaced) % u" stand-ins"_s;
}

QString savedNote()
{
    return u"Your original file wasn’t changed. Keep this key: it’s the only way to put the real values back, in "
           u"this file or in what comes back."_s;
}

QString freeTextWarning()
{
    return u"Look through free-text columns before you share: names inside notes can be missed."_s;
}

QString copyHelp()
{
    const QString shortcut = QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_C).toString(QKeySequence::NativeText);
    return u"Copy the sheet with stand-ins as a Markdown table, ready to paste into an AI chat ("_s % shortcut % u")"_s;
}

QString copyAll(int rows) { return u"Copy All "_s % QString::number(rows) % u" Rows"_s; }
QString copyFirst(int rows) { return u"Copy the First "_s % QString::number(rows) % u" Rows"_s; }
QString copySome() { return u"Copy Some Rows…"_s; }
QString someRowsNote() { return u"Rows are counted after the header row, which is always copied."_s; }

QString copied(int rows)
{
    return u"Copied "_s % counted(rows, u" row"_s, u" rows"_s) % u" with stand-ins as a Markdown table."_s;
}

QString copiedHint()
{
    return u"For an AI chat: paste the table, then paste the reply in Restore to put the real values back."_s;
}

QString restoreReplyHelp() { return u"Paste the AI’s reply in Restore › Pasted text"_s; }

} // namespace quorvane::SwapTexts
