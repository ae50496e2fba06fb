#include "cli/SpreadsheetFiles.h"

#include "kit/files/OutputGuard.h"
#include "kit/find/Detector.h"
#include "kit/find/Kinds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

QString knownRawStrings(const QStringList &raws)
{
    return raws.join(u", "_s);
}

int sheetIndex(const QString &sheet, const Spreadsheet &spreadsheet)
{
    bool number = false;
    const int index = sheet.toInt(&number);
    const QStringList names = spreadsheet.sheetNames();
    if (number && index >= 0 && index < names.size())
        return index;
    if (const qsizetype named = names.indexOf(sheet); named >= 0)
        return int(named);
    throw UsageError(u"no sheet “%1” (sheets are numbered from 0: %2)"_s.arg(sheet, names.join(u", "_s)));
}

ColumnKind columnKindArgument(const QString &raw)
{
    if (auto kind = columnKindFromRaw(raw))
        return *kind;
    QStringList known;
    for (ColumnKind kind : allColumnKinds())
        known.append(rawString(kind));
    throw UsageError(u"unknown column kind “%1” (one of %2)"_s.arg(raw, knownRawStrings(known)));
}

// SHEET:LETTER=KIND, or LETTER=KIND for the first sheet.
void addColumn(const QString &argument, const Spreadsheet &spreadsheet, ScanOptions &options)
{
    const qsizetype equals = argument.lastIndexOf(u'=');
    if (equals < 0)
        throw UsageError(u"--column needs SHEET:LETTER=KIND, like 0:C=phone"_s);
    const QString place = argument.left(equals);
    const qsizetype colon = place.lastIndexOf(u':');
    const int sheet = colon < 0 ? 0 : sheetIndex(place.left(colon), spreadsheet);
    const auto column = columnIndex(place.mid(colon + 1));
    if (!column)
        throw UsageError(u"“%1” isn’t a column like A, B or AA"_s.arg(place.mid(colon + 1)));
    options.columnKinds.insert(ColumnID{sheet, *column}, columnKindArgument(argument.mid(equals + 1)));
}

void addTerm(const QString &argument, ScanOptions &options)
{
    const qsizetype colon = argument.indexOf(u':');
    const auto kind = colon < 0 ? std::nullopt : valueKindFromRaw(argument.left(colon));
    if (!kind)
        throw UsageError(u"--term needs KIND:TEXT with KIND one of name, email, phone, address"_s);
    options.extraTerms.append({argument.mid(colon + 1), *kind});
}

} // namespace

std::jthread preparingSearches()
{
    return std::jthread(&Detector::prepare);
}

Spreadsheet readSpreadsheet(const QString &path)
{
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        throw Failure(u"The file “%1” couldn’t be read."_s.arg(QFileInfo(path).fileName()));
    Spreadsheet::checkSize(input.size(), QFileInfo(path).fileName());
    return Spreadsheet(input.readAll(), QFileInfo(path).fileName());
}

QString copyPath(const QString &input, const QString &label, const QString &requested, const QString &keyFile)
{
    QString path = requested;
    if (path.isEmpty()) {
        const QFileInfo source(input);
        const QString suffix = source.suffix();
        const QString base = suffix.isEmpty() ? source.fileName() : source.completeBaseName();
        path = QDir::cleanPath(source.dir().filePath(base + u" ("_s + label + u')'
                                                     + (suffix.isEmpty() ? QString() : u'.' + suffix)));
    }
    OutputGuard(input, keyFile).check(path);
    return path;
}

ScanOptions scanOptions(const Invocation &invocation, const Spreadsheet &spreadsheet)
{
    ScanOptions options;
    options.headerRow = !invocation.flag(u"no-header"_s);
    for (const QString &column : invocation.values(u"column"_s))
        addColumn(column, spreadsheet, options);
    for (const QString &term : invocation.values(u"term"_s))
        addTerm(term, options);
    return options;
}

const QList<Option> &scanOptionList()
{
    static const QList<Option> options{
        {u"key"_s, u"FILE"_s, u"the project key file"_s},
        {u"no-header"_s, {}, u"the sheets have no header row"_s},
        {u"column"_s, u"SHEET:LETTER=KIND"_s,
         u"set a column's kind (auto, skip, fullName, firstName, lastName, email, phone, address); "
         u"SHEET is a number from 0 or a sheet name; repeatable"_s},
        {u"term"_s, u"KIND:TEXT"_s, u"a value to replace everywhere, like a nickname (KIND: name, email, phone, address); repeatable"_s},
    };
    return options;
}

OpenedKey openKeyOption(const Invocation &invocation)
{
    return openKey(invocation, invocation.required(u"key"_s));
}

OpenedKey openKeyOption(const Invocation &invocation, const KeyFile::Reader &read)
{
    return openKey(invocation, invocation.required(u"key"_s), read);
}

QString oneLine(const QString &text)
{
    QString line = text;
    return line.replace(u"\r\n"_s, u"\\n"_s).replace(u'\n', u"\\n"_s).replace(u'\r', u"\\n"_s).replace(u'\t', u' ');
}

} // namespace quorvane::cli
