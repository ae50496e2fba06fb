#pragma once

#include "kit/Progress.h"
#include "kit/TextRange.h"
#include "kit/keys/ProjectKey.h"
#include "kit/restore/StandInTable.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace quorvane {

class Spreadsheet;
struct PhoneStandInMatch;

// Puts real values back wherever this key's stand-ins appear. It never relies on
// cell positions, so a returned file that was sorted, extended or edited
// restores the same way as the untouched copy.
class Restorer
{
public:
    struct TextResult
    {
        QString text;
        int count = 0;
    };
    struct FileResult
    {
        QByteArray data;
        int count = 0;
    };

    explicit Restorer(ProjectKey key);
    // A key read from its JSON for restoring alone: a large key's entries
    // are read straight into the restorer's table, and key() then holds none.
    // Throws as ProjectKey::fromJson does.
    static Restorer fromKeyJson(const QByteArray &json);

    const ProjectKey &key() const { return m_key; }

    TextResult restore(const QString &text) const;
    // Every text cell restored; throws the spreadsheet's write failures
    // unchanged. Progress comes as the restoring stage, counted in cells.
    FileResult restore(const Spreadsheet &spreadsheet, const ProgressReport &progress = {}) const;

private:
    Restorer(ProjectKey key, StandInTable table);
    class Replacements;
    struct Scratch;
    TextResult restore(const QString &text, Scratch &scratch) const;
    // The number of values restored; the text restored is left in the scratch.
    int restoreInto(const QString &text, Scratch &scratch) const;
    void addEmails(const QString &text, std::vector<TextRange> &emails, Replacements &found) const;
    void addPhones(const QString &text, bool ascii, QString &key, Replacements &found) const;
    void addPhone(const QString &text, const PhoneStandInMatch &match, QString &key, Replacements &found) const;
    void addStreets(const QString &text, bool ascii, Replacements &found) const;
    std::optional<QString> realStreet(QStringView line) const;
    void addZips(const QString &text, Replacements &found) const;
    void addNamesAndTowns(const QString &text, bool ascii, Scratch &scratch) const;

    ProjectKey m_key;
    StandInTable m_table;
};

} // namespace quorvane
