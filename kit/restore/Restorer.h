#pragma once

#include "kit/keys/ProjectKey.h"

#include <QByteArray>
#include <QString>

namespace quorvane {

class Spreadsheet;

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

    explicit Restorer(ProjectKey key) : m_key(std::move(key)) {}

    const ProjectKey &key() const { return m_key; }

    TextResult restore(const QString &text) const;
    // Every text cell restored; throws the spreadsheet's write failures unchanged.
    FileResult restore(const Spreadsheet &spreadsheet) const;

private:
    ProjectKey m_key;
};

} // namespace quorvane
