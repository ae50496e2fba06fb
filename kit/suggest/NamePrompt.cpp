#include "kit/suggest/NamePrompt.h"

#include "kit/suggest/Characters.h"

using namespace Qt::StringLiterals;

namespace quorvane::NamePrompt {

const QString id = u"namefind@26.4-v1"_s;

const QString instructions =
    u"You find the names of people in one spreadsheet cell, for an app that swaps them for "
    u"made-up stand-ins before the file is shared. List each person's name exactly as the cell "
    u"writes it, same spelling and capitalization (lowercase stays lowercase). A first name or a "
    u"last name alone counts. Don't list companies, brands, products, shops, places, months, days "
    u"or everyday words, even when they look like a name. If there are none, give an empty list."_s;

const QString schemaDescription = u"Each person's name, copied exactly from the cell"_s;

const QList<Example> &examples()
{
    static const QList<Example> list{
        {u"Column: Notes\nCell: left a message for dmitri volkov, call back after 3"_s,
         u"{\"names\":[\"dmitri volkov\"]}"_s},
        {u"Column: Comment\nCell: Joy at Nike said the June order ships Monday"_s, u"{\"names\":[\"Joy\"]}"_s},
        {u"Column: Status\nCell: Shipped via FedEx to the Denver store"_s, u"{\"names\":[]}"_s},
    };
    return list;
}

namespace {

QString instructionsWithExamples()
{
    QString text = instructions + u"\n\nExamples:"_s;
    for (const Example &example : examples())
        text += u"\n\n"_s + example.prompt + u"\nAnswer: "_s + example.answer;
    return text;
}

} // namespace

NameRequest request(const QString &header, const QString &text, bool withExamples)
{
    QString shownHeader = header.trimmed();
    if (shownHeader.isEmpty())
        shownHeader = u"(no header)"_s;

    NameRequest request;
    request.instructions = withExamples ? instructionsWithExamples() : instructions;
    request.prompt = u"Column: "_s + shownHeader + u"\nCell: "_s + firstCharacters(text, maxCellCharacters);
    return request;
}

} // namespace quorvane::NamePrompt
