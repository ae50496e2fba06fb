#pragma once

#include "kit/files/Spreadsheet.h"
#include "kit/swap/ReviewItem.h"

#include <QString>
#include <QStringList>

namespace quorvane {

// The Swap tab's texts. The model's name is the one actually in use, so a
// sentence never credits a model that didn't read the cells.
namespace SwapTexts {

QString openFailedTitle();
QString swapFailedTitle();
QString saveFailedTitle();
QString opening(const QString &fileName);
QString swapping();
QString saving(const QString &fileName);
QString saveMessage();
QString chooserMessage();

QString columnsHelp();
QString headerRowHelp();
QString summary(FileKind kind, int dataRows, int values);
QString previewNote();
QString reviewButton(qsizetype count);

QString itemLine(const ReviewItem &item);
QString freeTextNote(int cells);
QString conflictsNote(const QStringList &values);
QString countLine(qsizetype kept, qsizetype all);

// `model` as it reads inside a sentence ("the local language model").
QString nothingForModel(const QString &model);
QString modelCanRead(const QString &model, qsizetype cells, int seconds, const QString &place);
QString askModelButton(const QString &model);
QString modelProgress(int done, int total);
QString modelFinished(const QString &model, int asked, int failed, int skipped);

QString savedLine(const QString &savedAs, int replaced);
QString savedNote();
QString freeTextWarning();
QString copyHelp();
QString copyAll(int rows);
QString copyFirst(int rows);
QString copySome();
QString someRowsNote();
QString copied(int rows);
QString copiedHint();
QString restoreReplyHelp();

} // namespace SwapTexts
} // namespace quorvane
