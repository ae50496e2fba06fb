#include "Printing.h"

#include "kit/find/Detector.h"
#include "tests/FileBytes.h"

#include <gtest/gtest.h>

#include <iostream>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

struct LabelledCell
{
    QString text;
    QList<TextRange> names;
};

// Lines of free text with names in [brackets]; \n is a line break in the cell.
QList<LabelledCell> readCorpus(const QString &path)
{
    QList<LabelledCell> cells;
    for (const QString &line : QString::fromUtf8(test::readBytes(path)).split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        LabelledCell cell;
        const QString source = QString(line).replace(u"\\n"_s, u"\n"_s);
        for (QChar c : source) {
            if (c == u'[')
                cell.names.append({cell.text.size(), cell.text.size()});
            else if (c == u']')
                cell.names.last().end = cell.text.size();
            else
                cell.text.append(c);
        }
        cells.append(cell);
    }
    return cells;
}

// A found span matches a labelled one exactly, or with the possessive ending
// the name-word pattern keeps on the word.
bool matches(const QString &text, const TextRange &found, const TextRange &labelled)
{
    if (found == labelled)
        return true;
    const QString rest = text.mid(labelled.end, found.end - labelled.end);
    return found.start == labelled.start && (rest == u"'s"_s || rest == u"’s"_s);
}

} // namespace

TEST(NameCorpus, DetectorFindsTheLabelledNamesInFreeText)
{
    const QList<LabelledCell> cells = readCorpus(QStringLiteral(QUORVANE_TEST_DATA "/find/names-corpus.txt"));
    ASSERT_GE(cells.size(), 150);

    Detector detector;
    int truePositives = 0, falsePositives = 0, falseNegatives = 0;
    for (const LabelledCell &cell : cells) {
        QList<TextRange> found;
        for (const Finding &finding : detector.findings(cell.text, ColumnKind::autoDetect))
            if (finding.kind == ValueKind::name)
                found.append(finding.range);
        for (const TextRange &range : std::as_const(found)) {
            const bool hit = std::any_of(cell.names.cbegin(), cell.names.cend(),
                                         [&](const TextRange &l) { return matches(cell.text, range, l); });
            hit ? ++truePositives : ++falsePositives;
            if (!hit)
                std::cout << "  extra: " << range.of(cell.text).toStdString() << "  | " << cell.text.toStdString() << '\n';
        }
        for (const TextRange &labelled : cell.names) {
            const bool hit = std::any_of(found.cbegin(), found.cend(),
                                         [&](const TextRange &r) { return matches(cell.text, r, labelled); });
            if (!hit) {
                ++falseNegatives;
                std::cout << "  missed: " << labelled.of(cell.text).toStdString() << "  | " << cell.text.toStdString() << '\n';
            }
        }
    }
    const double precision = truePositives / double(truePositives + falsePositives);
    const double recall = truePositives / double(truePositives + falseNegatives);
    std::cout << "name spans in " << cells.size() << " cells: precision " << precision << ", recall " << recall
              << " (" << truePositives << " found, " << falsePositives << " extra, " << falseNegatives << " missed)\n";
    // A little below what the tagger reaches, so that a regression shows.
    EXPECT_GE(precision, 0.93);
    EXPECT_GE(recall, 0.95);
}
