#pragma once

#include "kit/find/Finding.h"
#include "kit/keys/ProjectKey.h"

#include <QList>
#include <QVarLengthArray>
#include <QString>

namespace quorvane {

// The text that replaces one finding and the key entries it relies on.
struct StandInPlan
{
    QString text;
    QList<ProjectKey::Entry> entries;
    // Each entry's position among the working key's entries: kept off the
    // heap, as a finding relies on three entries at most but for long names.
    QVarLengthArray<qsizetype, 4> keyIndexes;
    // The working key's entries that planning respelled, each with the real
    // spelling it had before.
    QList<std::pair<qsizetype, QString>> respelled;

    // Assigns through the working key, so a value met again gets the same
    // stand-in and new stand-ins avoid what the file already holds.
    static StandInPlan of(const Finding &finding, ProjectKey &workingKey,
                          const ProjectKey::Reserved &reserved);

    // The street part an address stand-in replaces: a trailing flat or unit
    // part is not part of it.
    static QString streetWithoutUnit(const QString &street);
    // A phone stand-in's digits shaped like the real number as written.
    static QString phoneLayout(const QString &standInDigits, const QString &realText);
};

} // namespace quorvane
