#pragma once

#include "kit/Failure.h"
#include "kit/Progress.h"
#include "kit/keys/ProjectKey.h"
#include "kit/swap/Scan.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>
#include <span>

namespace quorvane {

class Spreadsheet;

// Writes the swapped copy of a scanned file and adds the values' entries to the key.
class Scrubber
{
public:
    class Failure : public quorvane::Failure
    {
    public:
        enum class Kind { outdated };
        explicit Failure(Kind kind);
        Kind kind() const { return m_kind; }

    private:
        Kind m_kind;
    };

    struct Result
    {
        QByteArray data;
        int replaced = 0;
    };

    struct Applied
    {
        std::optional<QString> text; // nothing when no range was replaced
        int count = 0;
    };

    // On success the key holds the new entries and, when anything was
    // replaced, the file's name. Throws Failure (outdated) with the key
    // untouched, or the spreadsheet's write failures unchanged. Progress comes
    // as the writing stage, counted in cells.
    static Result apply(const Scan &scan, const Spreadsheet &spreadsheet, ProjectKey &key,
                        const QSet<QString> &excluded, const ProgressReport &progress = {});

    // The planned replacements of one text, from the last range to the first;
    // ranges that no longer fit the text are skipped. The plans name their
    // items and texts in `scan`.
    static Applied applying(std::span<const Scan::Planned> planned, const QString &text, const Scan &scan,
                            const QSet<QString> &excluded);
};

} // namespace quorvane
