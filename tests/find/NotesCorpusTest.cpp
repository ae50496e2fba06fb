#include "kit/find/Detector.h"
#include "tests/FileBytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <iostream>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

struct Note
{
    QString text;
    QList<TextRange> names;
};

// One JSON object a line: {"text": ..., "names": [[start, end], ...]} in UTF-16 offsets.
QList<Note> readNotes(const QString &path)
{
    QList<Note> notes;
    for (const QByteArray &line : test::readBytes(path).split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.isEmpty())
            continue;
        Note note{object.value("text"_L1).toString(), {}};
        for (const QJsonValue &span : object.value("names"_L1).toArray())
            note.names.append({span.toArray().at(0).toInteger(), span.toArray().at(1).toInteger()});
        notes.append(note);
    }
    return notes;
}

// Every letter of the labelled name lies in some name finding: the swap replaces all of it.
bool covered(const Note &note, const TextRange &name, const QList<TextRange> &found)
{
    for (qsizetype i = name.start; i < name.end; ++i) {
        if (!note.text.at(i).isLetter() && !note.text.at(i).isSurrogate())
            continue;
        if (std::none_of(found.cbegin(), found.cend(), [&](const TextRange &r) { return r.start <= i && i < r.end; }))
            return false;
    }
    return true;
}

struct Score
{
    int names = 0, coveredNames = 0, findings = 0, rightFindings = 0;
    double recall() const { return coveredNames / double(names); }
    double precision() const { return rightFindings / double(findings); }
};

// With `show`, prints what was missed and what was wrongly found.
Score scoreNotes(const QStringList &paths, bool show)
{
    Score score;
    Detector detector;
    QList<Note> notes;
    for (const QString &path : paths)
        notes += readNotes(path);
    for (const Note &note : std::as_const(notes)) {
        QList<TextRange> found;
        for (const Finding &finding : detector.findings(note.text, ColumnKind::autoDetect))
            if (finding.kind == ValueKind::name)
                found.append(finding.range);
        for (const TextRange &name : note.names) {
            const bool hit = covered(note, name, found);
            score.coveredNames += hit;
            if (!hit && show)
                std::cout << "missed: " << name.of(note.text).toStdString() << "  | " << note.text.toStdString() << '\n';
        }
        for (const TextRange &range : std::as_const(found)) {
            const bool right = std::any_of(note.names.cbegin(), note.names.cend(),
                                           [&](const TextRange &n) { return n.overlaps(range); });
            score.rightFindings += right;
            if (!right && show)
                std::cout << "extra: " << range.of(note.text).toStdString() << "  | " << note.text.toStdString() << '\n';
        }
        score.names += note.names.size();
        score.findings += found.size();
    }
    return score;
}

// Measuring sets: notes no tuning looked at; their notes are never printed.
// A set only scored: its score printed, and held to at least what the tagger
// reached when the thresholds were set, rounded down, so that a regression shows.
void expectMeasured(const char *name, const char *file, qsizetype fewestNames, double recall, double precision)
{
    const Score score = scoreNotes({QStringLiteral(QUORVANE_TEST_DATA "/find/") + QLatin1StringView(file)}, false);
    std::cout << name << " notes: recall " << score.recall() << ", precision " << score.precision() << '\n';
    ASSERT_GE(score.names, fewestNames);
    EXPECT_GE(score.recall(), recall);
    EXPECT_GE(score.precision(), precision);
}

} // namespace

// The half of the first notes that no tuning read.
TEST(NotesCorpus, NamesInHeldOutNotes)
{
    expectMeasured("held-out", "notes-heldout.jsonl", 300, 0.939, 0.953);
}

// A later set, written by someone who never saw the tagger, and scored only.
TEST(NotesCorpus, NamesInFreshNotes)
{
    expectMeasured("fresh", "notes-fresh.jsonl", 350, 0.949, 0.949);
}

// A second such set, from other desks and countries.
TEST(NotesCorpus, NamesInMoreFreshNotes)
{
    expectMeasured("fresh 2", "notes-measure2.jsonl", 300, 0.901, 0.928);
}

// Notes in German, French, Spanish, Italian, Dutch and Portuguese, some mixed
// with English: the even ones only scored, the odd ones tuned on.
TEST(NotesCorpus, NamesInEuropeanHeldOutNotes)
{
    expectMeasured("europe held-out", "notes-europe-heldout.jsonl", 100, 0.912, 0.882);
}

// The even notes of a set from new kinds of places, some in other languages,
// scored only; the odd ones are tuned on.
TEST(NotesCorpus, NamesInNewPlacesHeldOutNotes)
{
    expectMeasured("new places held-out", "notes-extra9-heldout.jsonl", 100, 0.869, 0.867);
}

// The even notes of a later set from yet other desks (moorings, courts, choirs,
// kennels, auctions, ...), scored only.
TEST(NotesCorpus, NamesInOtherDesksHeldOutNotes)
{
    expectMeasured("other desks held-out", "notes-extra10-heldout.jsonl", 80, 0.85, 0.832);
}

// The even notes of a set from further desks again (vet reception, bike shop,
// lost luggage, taxis, print shop, ...), scored only.
TEST(NotesCorpus, NamesInFurtherDesksHeldOutNotes)
{
    expectMeasured("further desks held-out", "notes-extra11-heldout.jsonl", 50, 0.876, 0.924);
}

// The even notes of a set from desks again unseen (dentist, wedding venue,
// boatyard, housing office, football club, ...), scored only.
TEST(NotesCorpus, NamesInUnseenDesksHeldOutNotes)
{
    expectMeasured("unseen desks held-out", "notes-extra12-heldout.jsonl", 50, 0.862, 0.933);
}

// The even notes of a set naming people in other scripts (Chinese, Japanese,
// Korean, Cyrillic, Arabic, Greek, Devanagari, Hebrew, Thai), scored only.
TEST(NotesCorpus, NamesInOtherScriptsHeldOutNotes)
{
    expectMeasured("other scripts held-out", "notes-scripts-heldout.jsonl", 50, 0.767, 0.887);
}

// The even notes of a set from yet more desks (plumbers, admissions, car hire,
// box office, after-school club, tenants, cyclists, ...), scored only.
TEST(NotesCorpus, NamesInNewestDesksHeldOutNotes)
{
    expectMeasured("newest desks held-out", "notes-extra13-heldout.jsonl", 50, 0.964, 0.854);
}

TEST(NotesCorpus, NamesInEuropeanTuningNotes)
{
    const Score score = scoreNotes({QStringLiteral(QUORVANE_TEST_DATA "/find/notes-europe-tune.jsonl")}, false);
    ASSERT_GE(score.names, 100);
    EXPECT_GE(score.recall(), 0.98);
    EXPECT_GE(score.precision(), 0.98);
}

QStringList tuningNotes()
{
    return {QStringLiteral(QUORVANE_TEST_DATA "/find/notes-tune.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra2.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra3.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra4.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra5.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra6.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra7.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra8.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra9-tune.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra10-tune.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra11-tune.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra12-tune.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-extra13-tune.jsonl"),
            QStringLiteral(QUORVANE_TEST_DATA "/find/notes-scripts-tune.jsonl")};
}

TEST(NotesCorpus, NamesInTuningNotes)
{
    const Score score = scoreNotes(tuningNotes(), false);
    ASSERT_GE(score.names, 1300);
    EXPECT_GE(score.recall(), 0.977);
    EXPECT_GE(score.precision(), 0.957);
}

// For tuning: run with --gtest_also_run_disabled_tests to list the misses on the tuning notes.
TEST(NotesCorpus, DISABLED_TuningHalf)
{
    // QUORVANE_NOTES=notes-extra6.jsonl lists one set's misses alone.
    const QString one = qEnvironmentVariable("QUORVANE_NOTES");
    const Score score = scoreNotes(one.isEmpty() ? tuningNotes() : QStringList{QStringLiteral(QUORVANE_TEST_DATA "/find/") + one}, true);
    std::cout << "tuning notes: recall " << score.recall() << " (" << score.coveredNames << "/" << score.names
              << "), precision " << score.precision() << " (" << score.rightFindings << "/" << score.findings << ")\n";
}
