#pragma once

#include "kit/find/Finding.h"
#include "kit/find/Kinds.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include <memory>

namespace quorvane {

class TextServices;

// Finds e-mail addresses, phone numbers, postal addresses and people's names
// in one cell text. One per scan; not shared between threads.
class Detector
{
public:
    // Without services, the portable text services are used.
    explicit Detector(const QList<ExtraTerm> &extraTerms = {},
                      std::shared_ptr<TextServices> services = nullptr);
    ~Detector();
    Detector(Detector &&) noexcept;
    Detector &operator=(Detector &&) noexcept;

    // Sorted by range start.
    QList<Finding> findings(const QString &text, ColumnKind column);
    // Only the phone pass (used when guessing a column from its contents).
    QList<Finding> phoneFindings(const QString &text);
    QList<Finding> addingCellNames(const QStringList &names, const QString &text,
                                   QList<Finding> findings) const;

    // Reads the word lists and builds the patterns every search needs, once
    // a program: about a fifth of a second, which a caller with other work
    // to do first can have done meanwhile on another thread.
    static void prepare();

    static QList<TextRange> occurrences(const QString &name, const QString &text);
    static QList<NamePart> nameParts(const QString &text, ColumnKind column);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quorvane
