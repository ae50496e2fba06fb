#include "app/SheetFile.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace quorvane {

Spreadsheet loadSpreadsheet(const QString &path)
{
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        throw Failure(u"The file “"_s % QFileInfo(path).fileName() % u"” couldn’t be read: "_s % input.errorString()
                      % u"."_s);
    return Spreadsheet(input.readAll(), QFileInfo(path).fileName());
}

QList<QStringList> gridTexts(const Grid &grid)
{
    QList<QStringList> rows;
    rows.reserve(grid.size());
    for (const QList<GridCell> &row : grid) {
        QStringList texts;
        texts.reserve(row.size());
        for (const GridCell &cell : row)
            texts.append(cell.text);
        rows.append(texts);
    }
    return rows;
}

} // namespace quorvane
