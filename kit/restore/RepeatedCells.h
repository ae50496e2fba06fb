#pragma once

#include <QString>
#include <QStringView>

#include <unordered_map>
#include <vector>

namespace quorvane {

// The restored texts of columns whose cells repeat (states, companies,
// templated notes), so that each different text is restored once. A column
// whose texts are mostly new soon stops being remembered, so that it costs
// no more than a count per cell.
class RepeatedCells
{
public:
    struct Restored
    {
        int count = 0;
        // Empty when the text restores nothing.
        QString text;
    };

    // What the text restored to before in the column, or nothing.
    const Restored *find(int column, const QString &text);
    // What a text just restored to, kept if its column still repeats.
    void remember(int column, const QString &text, int count, QStringView restored);

private:
    // Qt's own string hash takes longer than restoring a short cell.
    struct Hash
    {
        size_t operator()(const QString &text) const;
    };
    struct Column
    {
        std::unordered_map<QString, Restored, Hash> restored;
        qsizetype looked = 0;
        qsizetype missed = 0;
        bool off = false;
    };
    Column *columnAt(int column);

    std::vector<Column> m_columns;
};

} // namespace quorvane
