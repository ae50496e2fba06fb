#pragma once

#include "kit/suggest/NameSuggestion.h"

#include <QString>

namespace quorvane::SuggestionTexts {

// How the services that found the suggestions are named to the user; the app
// fills in the ones actually in use.
struct Labels
{
    QString tagger = QStringLiteral("the built-in name tagger");
    QString model = QStringLiteral("the language model");
    QString place = QStringLiteral("this computer");
};

QString sectionTitle(qsizetype count);
QString sectionHelp();
QString sourceLabel(NameSuggestion::Source source, const Labels &labels);
QString rowLabel(const NameSuggestion &suggestion, const Labels &labels);
// Only column rows have a title: "Treat the column “Owner” as names".
QString columnRowTitle(const NameSuggestion &suggestion);
QString addButton();
QString addHelp(const NameSuggestion &suggestion);
QString dismissButton();
QString footnote(const Labels &labels, bool modelAvailable);

} // namespace quorvane::SuggestionTexts
