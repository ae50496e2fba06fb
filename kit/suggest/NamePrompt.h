#pragma once

#include "kit/suggest/NameRequest.h"

#include <QList>
#include <QString>

namespace quorvane::NamePrompt {

struct Example
{
    QString prompt;
    QString answer;
};

// Identifies this wording of the prompt; not sent to the model.
extern const QString id;
extern const QString instructions;
// The description of the answer's one property, "names".
extern const QString schemaDescription;
const QList<Example> &examples();

// Most user-perceived characters of a cell that are sent.
constexpr qsizetype maxCellCharacters = 1200;

// The request for one cell; the examples follow the instructions when asked for.
NameRequest request(const QString &header, const QString &text, bool withExamples);

} // namespace quorvane::NamePrompt
