#pragma once

#include "kit/find/TextServices.h"
#include "kit/find/WordSet.h"

#include <QHash>
#include <QStringList>

#include <optional>
#include <unordered_map>
#include <vector>

namespace quorvane {

// A personal-name tagger of our own. It weighs the evidence around each run of
// name-like words the way a statistical tagger's features would: known given
// names and surnames, titles and lead words before the run, speech and action
// verbs after it, initials, particles and possessives, the names joined to it,
// against months, days, places, streets, companies, brands and everyday words
// that are only capitalised because a sentence starts with them. Text written
// all in capitals or all in lower case is read by the same rules, and names in
// scripts without capitals are left to ScriptNameFinder. Records written
// surname first ("OKONJO, CHIDI") are one name, and a person named once with
// good evidence is found again where the text repeats a word of the name.
class PortableNameTagger : public NameTagger
{
public:
    void setText(const QString &text) override;
    QList<NameToken> tokens(const TokenOptions &options = {}) const override;

    struct Token
    {
        enum class Kind { word, punctuation, whitespace };
        Kind kind = Kind::word;
        TextRange range;
    };

private:
    struct Run
    {
        qsizetype first = 0; // indexes into m_words
        qsizetype last = 0;
    };

    // What the word lists and the dictionary may say of a word.
    enum class Fact {
        given, surname, ambiguousGiven, rareAmbiguousGiven, ambiguousSurname, title, lead, action, opener, nonPerson, placePreposition, particle, placeNoun,
        function, cue, everyday, inDictionary, properNoun
    };
    struct Facts
    {
        quint32 asked = 0;
        quint32 held = 0;
    };
    static constexpr quint32 bit(Fact fact) { return 1u << int(fact); }
    static bool holds(const QString &word, Fact fact);
    using LearntFacts = std::unordered_map<QString, Facts, WordSet::Hash, WordSet::Equal>;
    static LearntFacts &learntFacts();
    void recallFacts();
    void keepFacts() const;
    bool has(qsizetype word, Fact fact) const;

    // How a word is written; all-capital words count as capitalised in text
    // written in capitals throughout.
    enum class Shape { capitalised, capitals, initial, lower, other };

    struct ScoredRun
    {
        Run run;
        double score = 0;
    };
    enum class ListSlot { none, actionPoint, dayEntry };

    void tag();
    void addCoordinated(QList<ScoredRun> &runs) const;
    bool isFirm(const Run &left, const Run &right) const;
    bool hasFirmWord(const Run &run) const;
    void pairSurnameFirst(QList<ScoredRun> &runs) const;
    bool isSurnameBeforeComma(const Run &run, bool inList) const;
    bool isGivenAfterComma(const Run &run) const;
    bool isSurnameBeforeInitials(qsizetype word) const;
    bool isCapitalsRecordClosed(const Run &surname, const Run &given) const;
    bool isItemRecord(const Run &surname, const Run &given) const;
    bool isUnknownGivenAfterComma(const Run &run, bool inList) const;
    bool isEastAsianGivenAfterComma(const Run &surname, const Run &given) const;
    bool isCapitalsSurnameOfPair(qsizetype word) const;
    bool isCapitalsSurnameOfRecord(qsizetype word) const;
    static bool isDepartment(const QString &word);
    bool isInDepartment(qsizetype word) const;
    bool isShift(qsizetype word) const;
    bool isSpeakingForDepartment(qsizetype word) const;
    bool isSpeakerPlacedFirst(const Run &run) const;
    bool isSentOut(const Run &run) const;
    bool isAway(qsizetype word) const;
    static bool isPersonsState(const QString &word);
    bool isTeamMember(const Run &run) const;
    bool isTalliedInList(const Run &run) const;
    bool isPlaceNamedAfterRole(const Run &run) const;
    bool isTallyItem(qsizetype word, bool counted) const;
    bool isContactedBySurname(const Run &run) const;
    bool isResidentInBrackets(const Run &run) const;
    bool isInUnitCode(const Run &run) const;
    bool isReportedSpeaker(qsizetype word) const;
    bool isAddressed(const Run &run) const;
    bool isTold(qsizetype word, qsizetype verb) const;
    bool isAddressedAtEnd(qsizetype word) const;
    bool isIntroducingSelf(const Run &run) const;
    bool isGivingOwnName(qsizetype word) const;
    bool isContractedIs(qsizetype next) const;
    bool isActionPoint(const Run &run) const;
    bool isActionLabelled(const Run &run) const;
    bool isCalledBack(qsizetype word) const;
    bool isCareOf(qsizetype word) const;
    bool isSpeakingGivenName(qsizetype word) const;
    bool isPointedTo(qsizetype word) const;
    bool isSigningOff(qsizetype word) const;
    bool isSpeakingForFirm(qsizetype word) const;
    bool isWritersPartner(const Run &run) const;
    bool isAskedAbout(const Run &run) const;
    bool isQuestion(qsizetype word) const;
    bool isDoingToSomething(const Run &run) const;
    bool isSubjectDoing(const Run &run) const;
    bool isAfterHonorific(qsizetype word) const;
    bool isFamilyTitle(qsizetype word) const;
    bool isSiteListed(const Run &run) const;
    bool isRecordHead(const Run &run) const;
    bool isGivenOffice(const Run &run) const;
    bool isCountryArm(QStringView word) const;
    bool isSpokenLanguage(const Run &run) const;
    bool isPlaceUpon(qsizetype word) const;
    bool isFormLabel(const Run &run) const;
    bool isAddressedByHonorific(const Run &run) const;
    void pairSlashed(QList<ScoredRun> &runs) const;
    bool isSlashedNamePart(qsizetype word) const;
    static bool isPersonField(const QString &word);
    bool isFieldValue(qsizetype word) const;
    bool isPeopleLabel(qsizetype label) const;
    bool isBookingHead(qsizetype word) const;
    bool isNamedAs(qsizetype word) const;
    bool isSignature(const Run &run) const;
    bool isCompoundNoun(const Run &run) const;
    void addNamesSeenElsewhere(QList<ScoredRun> &runs) const;
    bool isWordOfFullName(const QList<ScoredRun> &runs, qsizetype word) const;
    qsizetype withGivenBeforeSharedSurname(const QList<ScoredRun> &runs, const Run &run) const;
    void markEmployers(QList<ScoredRun> &runs) const;
    void markShopsNamedTogether(QList<ScoredRun> &runs) const;
    void markStaffListed(QList<ScoredRun> &runs) const;
    bool isVerbBeforeParticle(const Run &run) const;
    QList<Run> capitalisedRuns() const;
    bool hasParticle(const Run &run) const;
    Run trimmed(Run run) const;
    Run withoutLeadingPreposition(Run run) const;
    double score(const Run &run) const;
    double wordEvidence(const Run &run) const;
    double contextBefore(const Run &run) const;
    double contextAfter(const Run &run) const;
    static bool isClauseBreak(QStringView gap);
    bool isPersonInApposition(qsizetype word) const;
    bool isVerbWithObject(qsizetype word) const;
    double shapeEvidence(const Run &run) const;
    bool isPersonNamedBrand(const Run &run) const;
    qsizetype particlesBefore(qsizetype word, qsizetype floor) const;
    bool isParticleLedSurname(const Run &run) const;
    bool isForeignClauseAfter(qsizetype word) const;
    bool isUnlistedVerbAfterGivenName(const Run &run) const;
    bool isAfterNobiliary(qsizetype word) const;
    bool isHailed(qsizetype word) const;
    bool isMakerOfGoods(const Run &run) const;
    bool isWorldPlace(const Run &run) const;
    bool isNamedByRole(const Run &run) const;
    bool isFestival(const Run &run) const;
    bool isScriptureReference(const Run &run) const;
    bool isQuotedTitledThing(const Run &run) const;
    bool isMakersModel(const Run &run) const;
    bool isInAnimalCareNote() const;
    bool isPetInCareNote(const Run &run) const;
    void markFirmsOfPartners(QList<ScoredRun> &runs) const;
    std::optional<qsizetype> brandFrom(qsizetype first) const;
    // Whether the run's first word ends a brand named after a person that
    // starts before it ("Marks & Spencer Simply Food", "Wallace & Gromit").
    bool endsPersonNamedBrand(const Run &run) const;
    bool isSurnameFirstName(const Run &run) const;
    bool isGivenBeforeSurname(const Run &run, qsizetype word) const;
    bool isWordBeforePlainSurname(const Run &run) const;
    bool isSurnameAfterGiven(const Run &run, qsizetype word) const;
    bool isFamilySurname(qsizetype word) const;
    bool isSurnameBeforeRole(qsizetype word) const;
    bool isLeadGivenBeforeSurname(qsizetype word) const;
    bool isNameInCapitals(qsizetype word) const;
    bool isSurnameInCapitalsBeforeGiven(qsizetype word) const;
    bool isNamePairInCapitals(qsizetype word, qsizetype other) const;
    bool isNameInCapitalsPair(const Run &run) const;
    bool isTowardsPerson(qsizetype word) const;
    bool isSpokenTo(qsizetype word) const;
    bool isJourneyEnd(qsizetype word) const;
    bool isRouteStart(const Run &run) const;
    bool isFromBusiness(qsizetype word) const;
    bool isFromEmployer(qsizetype word) const;
    bool isSuppliedThing(qsizetype word) const;
    bool isAfterHouseNumber(qsizetype word) const;
    bool isClockTime(qsizetype word) const;
    bool isNumberedEntry(qsizetype number) const;
    bool isPersonsNumber(qsizetype number) const;
    bool opensEntry(qsizetype word) const;
    bool isStandingIn(qsizetype word) const;
    bool isPassiveOfThing(const Run &run) const;
    bool isBearingFrom(qsizetype word) const;
    bool isAuxiliary(qsizetype word) const;
    bool isAuxiliaryThenDoing(qsizetype next) const;
    bool isUnlistedVerbAndParticle(qsizetype word) const;
    bool isAfterQuantity(qsizetype word) const;
    bool isBeforeVerbParticle(qsizetype word) const;
    bool isAdverbBeforeVerb(qsizetype word) const;
    bool isPersonNounAfterCopula(qsizetype word) const;
    bool isLowerCaseSubject(qsizetype word) const;
    bool isInActingPair(qsizetype word) const;
    bool isOnRota(qsizetype word) const;
    bool isIdentityDocument(qsizetype word) const;
    bool isAskedWhereabouts(qsizetype word) const;
    bool isHoliday(const Run &run) const;
    bool isOwnerOfBelonging(const Run &run) const;
    bool isSaidOfPerson(const Run &run) const;
    bool isFamilyName(const Run &run) const;
    bool isPet(const Run &run, bool brackets) const;
    bool isAnimalInBrackets(qsizetype first) const;
    bool isCalledAnimalAfter(qsizetype next) const;
    bool endsPhrase(qsizetype word) const;
    void markPets(QList<ScoredRun> &runs) const;
    void markListedWithPlaces(QList<ScoredRun> &runs) const;
    void markFirmsUnderLabel(QList<ScoredRun> &runs) const;
    void markRolesOpeningSentences(QList<ScoredRun> &runs) const;
    void markTownsOfRegions(QList<ScoredRun> &runs) const;
    void markStretchEnds(QList<ScoredRun> &runs) const;
    void markSeasonsInLowerCase(QList<ScoredRun> &runs) const;
    void markDutyLists(QList<ScoredRun> &runs) const;
    void markHandedOn(QList<ScoredRun> &runs) const;
    void markNicknames(QList<ScoredRun> &runs) const;
    void markKindsBeforePlural(QList<ScoredRun> &runs) const;
    bool isPluralNoun(qsizetype word) const;
    bool isClosedStretch(qsizetype between) const;
    bool isNumberedLine(qsizetype next) const;
    bool isUnderFirmsLabel(const Run &run) const;
    bool isListedWithPlace(const Run &run) const;
    bool isPlaceItem(qsizetype word) const;
    bool startsItem(qsizetype word) const;
    bool endsItem(qsizetype word) const;
    void addParallelItems(QList<ScoredRun> &runs) const;
    ListSlot slotOf(const Run &run) const;
    bool isListedBefore(const Run &left, const Run &right) const;
    bool isWithOwnFamily(const Run &run) const;
    bool isNamingAnimal(qsizetype verb) const;
    bool isInBracketsAfterAnimal(qsizetype word) const;
    bool isPlaceNamedPerson(const Run &run) const;
    bool isCompoundOfWords(qsizetype word) const;
    bool isForeignSentenceStart(const Run &run) const;
    // Notes written in German, French, Spanish, Italian, Dutch or Portuguese.
    void readEuropeanWords();
    bool isEuropeanMark(qsizetype word) const;
    bool isListedName(qsizetype word) const;
    bool isEuropeanWord(qsizetype word) const;
    bool isEuropeanHonorific(qsizetype word) const;
    double europeanLead(const Run &run) const;
    std::optional<double> europeanContextAfter(qsizetype after) const;
    bool isConjunctionOfNames(qsizetype word) const;
    double europeanEvidence(const Run &run) const;
    bool isLowerCaseCalled(const Run &run) const;
    bool isBeforeLowerCaseSurname(qsizetype word) const;
    bool isDoubleBarrelledAfterName(qsizetype word) const;
    bool isPairedWithGivenName(qsizetype word) const;
    bool isNamedByKin(qsizetype word) const;
    bool isSignedOrSentBy(qsizetype word) const;
    bool isShortChatName(qsizetype word) const;
    bool isLedGivenName(qsizetype word) const;
    bool isPlainGivenName(qsizetype word) const;
    bool isOwningGivenName(const Run &run) const;
    bool followsPersonLead(qsizetype word) const;
    bool isByName(qsizetype word) const;
    bool isBroughtIn(qsizetype word) const;
    bool isChatHail(qsizetype word) const;
    bool isMentionAsked(qsizetype word) const;
    bool isChatName(qsizetype word) const;
    bool joinsRun(qsizetype word) const;
    bool decidesJoin(qsizetype word) const;
    bool isLowerCaseName(qsizetype word) const;
    bool isLowerCaseNameWord(qsizetype word) const;
    bool isJoinedToLowerCaseName(qsizetype word) const;
    bool isThankedAtEnd(qsizetype word) const;
    bool isInListOfSingleWords(const QList<ScoredRun> &runs, qsizetype i) const;
    void markListOfNames(QList<ScoredRun> &runs) const;
    bool isCuedGivenName(qsizetype word) const;
    bool isCuedWordName(qsizetype word) const;
    bool isSeasonNamedSubject(qsizetype word) const;
    bool isGivenWordBeforeSurname(qsizetype surname) const;
    bool isLowerCaseInitial(qsizetype word) const;
    bool isTrailingLowerCaseInitial(qsizetype word) const;
    bool isDoneByPerson(qsizetype word) const;
    bool isWordSurnameBeforeDoing(const Run &run) const;
    bool isPairInPeopleField(const Run &run) const;
    bool isUndottedInitial(qsizetype word) const;
    bool isUnknownWord(qsizetype word) const;
    bool isUnknownSubjectActing(const Run &run) const;
    bool isCalendarNamedPerson(const Run &run) const;
    bool isPersonWithPlaceSurname(const Run &run) const;
    bool isListedBeside(const ScoredRun &named, const ScoredRun &other) const;
    bool arePeopleActing(const Run &left, const Run &right) const;
    Shape shapeOf(qsizetype word) const;
    Shape readShape(qsizetype word) const;
    TextRange rangeOf(const Run &run) const;
    // The word in lower case, without a possessive ending.
    const QString &lower(qsizetype word) const;
    QStringView gapBefore(qsizetype word) const;
    QStringView textOf(qsizetype word) const;
    bool atSentenceStart(qsizetype word) const;

    QString m_text;
    QList<Token> m_tokens;
    QList<qsizetype> m_words;       // token indexes of the word tokens
    QStringList m_lowerWords;       // per word
    std::vector<Shape> m_shapes;    // per word
    mutable std::vector<Facts> m_facts; // per word, filled as the rules ask
    std::vector<Facts> m_recalled;      // per word, as known before this text
    mutable std::vector<signed char> m_joins; // per word: joins a run (1), not (0), not yet asked (-1)
    QList<TextRange> m_names;       // ranges of the names found, in order
    bool m_shouting = false;        // the text is written in capitals
    std::vector<quint8> m_europeanKinds; // per word, what europeanWords knows of it
    bool m_european = false;        // the text is written in one of those languages
    bool m_german = false;          // ...in German, which writes its nouns with a capital
};

} // namespace quorvane
