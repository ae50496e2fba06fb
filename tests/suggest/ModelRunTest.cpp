#include "kit/suggest/NamePrompt.h"
#include "kit/suggest/SecondOpinion.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;
using SecondOpinion::Cell;

namespace {

// Answers from a list of results, one per request, and remembers the prompts.
class ScriptedModel : public NameModel
{
public:
    explicit ScriptedModel(QList<Result> results) : m_results(std::move(results)) {}
    Result names(const NameRequest &request, std::stop_token) const override
    {
        prompts.append(request.prompt);
        return m_results.value(prompts.size() - 1, QStringList{});
    }
    QString label() const override { return u"scripted"_s; }
    mutable QStringList prompts;

private:
    QList<Result> m_results;
};

Cell cell(int row, const QString &header, const QString &text)
{
    return Cell{CellRef{0, row, 1}, header, text, {}};
}

} // namespace

TEST(NamePrompt, AssemblesInstructionsExamplesAndCell)
{
    const NameRequest plain = NamePrompt::request(u"  Notes \n"_s, u" met Ana "_s, false);
    EXPECT_EQ(plain.instructions, NamePrompt::instructions);
    EXPECT_EQ(plain.prompt, u"Column: Notes\nCell:  met Ana "_s); // the cell as it is, the header trimmed
    EXPECT_EQ(NamePrompt::request(u" \t"_s, u"x"_s, false).prompt, u"Column: (no header)\nCell: x"_s);

    const QString withExamples = NamePrompt::request(u"Notes"_s, u"x"_s, true).instructions;
    EXPECT_EQ(withExamples,
              NamePrompt::instructions
                  + u"\n\nExamples:"
                    u"\n\nColumn: Notes\nCell: left a message for dmitri volkov, call back after 3"
                    u"\nAnswer: {\"names\":[\"dmitri volkov\"]}"
                    u"\n\nColumn: Comment\nCell: Joy at Nike said the June order ships Monday"
                    u"\nAnswer: {\"names\":[\"Joy\"]}"
                    u"\n\nColumn: Status\nCell: Shipped via FedEx to the Denver store"
                    u"\nAnswer: {\"names\":[]}"_s);
}

TEST(NamePrompt, CutsLongCellsAtWholeCharacters)
{
    // "é" written as e + combining accent: two code units, one character.
    const QString accented = u"e\u0301"_s.repeated(1500);
    const QString sent = NamePrompt::request(u"N"_s, accented, false).prompt.section(u"Cell: "_s, 1);
    EXPECT_EQ(sent, u"e\u0301"_s.repeated(1200));
}

TEST(SecondOpinion, QueueAsksEachHeaderAndTextOnceUpToTheCap)
{
    const QList<Cell> cells{cell(1, u"Notes"_s, u"call Ana"_s), cell(2, u"Notes"_s, u"call Ana"_s),
                            cell(3, u"Memo"_s, u"call Ana"_s), cell(4, u"Notes"_s, u"call Bo"_s),
                            cell(5, u"Notes"_s, u"call Cy"_s), cell(6, u"Notes"_s, u"call Bo"_s)};
    const SecondOpinion::Queue all = SecondOpinion::queue(cells, 200);
    ASSERT_EQ(all.pairs.size(), 4);
    EXPECT_EQ(all.pairs[1], (SecondOpinion::Queue::Pair{u"Memo"_s, u"call Ana"_s}));
    EXPECT_EQ(all.skipped, 0);

    const SecondOpinion::Queue capped = SecondOpinion::queue(cells, 2);
    EXPECT_EQ(capped.pairs.size(), 2);
    EXPECT_EQ(capped.skipped, 2) << "a repeat beyond the cap is not counted again";

    // The separator keeps "a" + "b c" apart from "a b" + "c".
    EXPECT_NE(SecondOpinion::cellKey(u"a"_s, u"b c"_s), SecondOpinion::cellKey(u"a b"_s, u"c"_s));
    // The time shown before asking: whole seconds, at least one.
    EXPECT_EQ(SecondOpinion::estimateSeconds(0), 1);
    EXPECT_EQ(SecondOpinion::estimateSeconds(200), 80);
}

TEST(SecondOpinion, RunRecordsEveryAnswerAndStopsWhenTheModelIsUnavailable)
{
    QList<Cell> cells;
    for (int row = 0; row < 6; ++row)
        cells.append(cell(row, u"Notes"_s, u"note "_s + QString::number(row)));
    const ScriptedModel model({QStringList{u"Ana"_s}, NameModelFailure{NameModelFailure::Kind::guardrail, u"g"_s},
                               NameModelFailure{NameModelFailure::Kind::unavailable, u"gone"_s}});
    const SecondOpinion::ModelRun run = SecondOpinion::ask(model, cells, false, 200);

    ASSERT_EQ(run.answers.size(), 3);
    EXPECT_EQ(model.prompts.size(), 3);
    EXPECT_EQ(run.answers[0].names, QStringList{u"Ana"_s});
    EXPECT_EQ(run.answers[1].failure, u"guardrail"_s);
    EXPECT_EQ(run.answers[2].failure, u"unavailable"_s);
    EXPECT_EQ(run.answers[2].text, u"note 2"_s);
}
