#include "kit/find/ColumnGuess.h"

#include "kit/find/Detector.h"
#include "kit/find/NameLexicon.h"
#include "kit/find/TextRules.h"

#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

using WordSet = QSet<QString>;

struct Header
{
    QString normalised;
    WordSet words;

    bool mentions(const WordSet &list) const { return words.intersects(list); }
};

Header normalised(const QString &header)
{
    Header result;
    result.normalised = header.toLower();
    result.normalised.replace(u'_', u' ').replace(u'-', u' ');
    QString word;
    const auto flush = [&] {
        if (!word.isEmpty())
            result.words.insert(word);
        word.clear();
    };
    const QList<uint> codePoints = result.normalised.toUcs4();
    for (uint c : codePoints) {
        if (QChar::isLetter(c))
            word.append(QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1));
        else
            flush();
    }
    flush();
    return result;
}

const WordSet emailWords{u"email"_s, u"mail"_s, u"emails"_s};
// With the headers of exports made in other languages: the data detector
// knows only the streets of European addresses, and a national number may
// not read as one where the computer is set up for another country, so the
// header alone tells what every cell of such a column is.
const WordSet phoneWords{u"phone"_s, u"mobile"_s, u"cell"_s, u"tel"_s, u"telephone"_s, u"fax"_s, u"phones"_s,
                         u"telefon"_s, u"telefonnummer"_s, u"handy"_s, u"téléphone"_s, u"tél"_s, u"teléfono"_s,
                         u"telefono"_s, u"móvil"_s, u"movil"_s, u"cellulare"_s, u"telefoon"_s, u"celular"_s,
                         u"telemóvel"_s};
const WordSet addressWords{u"address"_s, u"street"_s, u"addr"_s, u"address1"_s, u"address2"_s,
                           u"adresse"_s, u"anschrift"_s, u"straße"_s, u"strasse"_s, u"dirección"_s,
                           u"direccion"_s, u"domicilio"_s, u"indirizzo"_s, u"endereço"_s, u"endereco"_s,
                           u"adres"_s, u"adresa"_s, u"adress"_s, u"osoite"_s};
const WordSet notANameWords{
    u"company"_s, u"business"_s, u"organization"_s, u"org"_s, u"product"_s, u"file"_s, u"user"_s,
    u"username"_s, u"account"_s, u"brand"_s, u"store"_s, u"item"_s, u"project"_s, u"team"_s,
    u"domain"_s, u"host"_s, u"server"_s, u"app"_s, u"id"_s, u"number"_s, u"no"_s, u"code"_s,
    u"date"_s, u"status"_s, u"type"_s, u"notes"_s, u"note"_s, u"amount"_s, u"total"_s,
    u"count"_s, u"since"_s, u"city"_s, u"state"_s, u"zip"_s, u"country"_s, u"title"_s, u"role"_s,
};
const WordSet postalWords{u"zip"_s, u"zipcode"_s, u"postcode"_s, u"postal"_s, u"plz"_s, u"postleitzahl"_s};
// Places on their own are no personal data, and a town named like a person
// ("Austin", "Madison") must not be swapped as one.
const WordSet placeWords{u"city"_s, u"town"_s, u"state"_s, u"province"_s, u"country"_s, u"county"_s, u"region"_s};
const WordSet surnameWords{u"surname"_s};
const WordSet lastWords{u"last"_s, u"family"_s};
const WordSet firstWords{u"first"_s, u"given"_s};
const WordSet nameWord{u"name"_s};
const WordSet oneWordFirstName{u"firstname"_s};
const WordSet oneWordLastName{u"lastname"_s};
const WordSet personWords{
    u"name"_s, u"fullname"_s, u"contact"_s, u"customer"_s, u"client"_s, u"patient"_s,
    u"employee"_s, u"owner"_s, u"attendee"_s, u"member"_s, u"recipient"_s, u"sender"_s,
    u"student"_s, u"guest"_s, u"manager"_s, u"rep"_s, u"agent"_s, u"assignee"_s,
};
const WordSet nonPersonWords{
    u"company"_s, u"companies"_s, u"business"_s, u"organization"_s, u"organisation"_s, u"org"_s,
    u"brand"_s, u"brands"_s, u"store"_s, u"shop"_s, u"vendor"_s, u"vendors"_s, u"supplier"_s,
    u"suppliers"_s, u"employer"_s, u"firm"_s, u"agency"_s, u"bank"_s, u"product"_s,
    u"products"_s, u"item"_s, u"items"_s, u"city"_s, u"state"_s, u"country"_s, u"town"_s,
    u"region"_s, u"venue"_s, u"location"_s,
};

QStringView trimmedOfSpacesAndTabs(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && (text.at(start) == u' ' || text.at(start) == u'\t'))
        ++start;
    while (end > start && (text.at(end - 1) == u' ' || text.at(end - 1) == u'\t'))
        --end;
    return QStringView(text).sliced(start, end - start);
}

bool looksLikeOnePersonsName(const QString &cell)
{
    const QList<Word> words = nameWords(cell);
    if (words.isEmpty() || words.size() > 4)
        return false;
    for (const Word &word : words)
        if (!isCapitalised(word.word))
            return false;
    std::optional<QString> firstName;
    if (cell.contains(u',')) {
        if (words.size() >= 2)
            firstName = words.at(1).word;
    } else {
        for (const Word &word : words) {
            if (!isTitleWord(word.word)) {
                firstName = word.word;
                break;
            }
        }
    }
    return firstName && nameLexicon::isKnownFirstName(firstName->toLower())
        && hasOnlyNameCharacters(cell, Commas::allowed);
}

bool isBareEmail(const QString &cell)
{
    auto matches = emailPattern().globalMatch(cell);
    if (!matches.hasNext())
        return false;
    const auto match = matches.next();
    return !matches.hasNext() && match.capturedLength() >= trimmedOfSpacesAndTabs(cell).size() - 1;
}

// A US ZIP or ZIP+4 code, a Canadian or a British postcode, alone in the cell.
bool isBarePostalCode(const QString &cell)
{
    static const QRegularExpression postalCode(
        uR"(^\s*(?:\d{5}(?:-\d{4})?|[A-Za-z]\d[A-Za-z] ?\d[A-Za-z]\d|[A-Za-z]{1,2}\d[A-Za-z\d]? ?\d[A-Za-z]{2})\s*$)"_s);
    return postalCode.match(cell).hasMatch();
}

bool isBarePhone(const QString &cell, Detector &detector)
{
    const QList<Finding> phones = detector.phoneFindings(cell);
    return phones.size() == 1 && phones.first().text.size() >= trimmedOfSpacesAndTabs(cell).size() - 1;
}

} // namespace

std::optional<ColumnKind> guessFromHeader(const QString &header)
{
    const Header h = normalised(header);
    if (h.mentions(emailWords) || h.normalised.contains(u"e mail"_s) || h.normalised.contains(u"email"_s))
        return ColumnKind::email;
    if (h.mentions(phoneWords) || h.normalised.contains(u"phone"_s))
        return ColumnKind::phone;
    if (h.mentions(addressWords) || h.normalised.contains(u"address"_s))
        return ColumnKind::address;
    // Postal codes and places are no personal data on their own; an address
    // column keeps its own.
    if (h.mentions(postalWords) || h.mentions(placeWords) || h.normalised.contains(u"post code"_s))
        return ColumnKind::skip;
    if (h.mentions(notANameWords))
        return std::nullopt;
    if (h.mentions(surnameWords) || (h.mentions(lastWords) && h.mentions(nameWord)) || h.normalised == u"last"_s)
        return ColumnKind::lastName;
    if ((h.mentions(firstWords) && h.mentions(nameWord)) || h.normalised == u"first"_s
        || h.mentions(oneWordFirstName))
        return ColumnKind::firstName;
    if (h.mentions(oneWordLastName))
        return ColumnKind::lastName;
    if (h.mentions(personWords))
        return ColumnKind::fullName;
    return std::nullopt;
}

ColumnKind guessFromContents(const QStringList &cells, Detector &detector)
{
    QStringList sample;
    for (const QString &cell : cells) {
        if (!trimmedOfSpacesAndTabs(cell).isEmpty())
            sample.append(cell);
        if (sample.size() == 60)
            break;
    }
    if (sample.size() < 2)
        return ColumnKind::autoDetect;

    const double n = sample.size();
    const auto share = [&](auto passes) { return std::count_if(sample.cbegin(), sample.cend(), passes) / n; };
    if (share(isBareEmail) >= 0.6)
        return ColumnKind::email;
    if (share(isBarePostalCode) >= 0.6)
        return ColumnKind::skip;
    if (share([&](const QString &cell) { return isBarePhone(cell, detector); }) >= 0.6)
        return ColumnKind::phone;
    if (share(looksLikeOnePersonsName) >= 0.5)
        return ColumnKind::fullName;
    return ColumnKind::autoDetect;
}

bool isNonPersonHeader(const QString &header)
{
    return normalised(header).mentions(nonPersonWords);
}

} // namespace quorvane
