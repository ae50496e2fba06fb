#pragma once

#include "kit/keys/CandidateHoldings.h"
#include "kit/keys/Crypto.h"
#include "kit/keys/CaselessWords.h"
#include "kit/keys/TextIndex.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quorvane {

enum class ValueKind : uint8_t;

// What one key entry is. The namespace groups kinds whose stand-ins must not
// collide: first names, last names and towns share "word".
enum class EntryKind { firstName, lastName, email, phone, street, city, zip };

QString rawString(EntryKind kind);
std::optional<EntryKind> entryKindFromRaw(const QString &raw);
QString entryNamespace(EntryKind kind);
ValueKind valueKind(EntryKind kind);
const QList<EntryKind> &allEntryKinds();

// Splits at every Unicode whitespace character (newlines included), dropping empty pieces.
QStringList splitAtWhitespace(const QString &text);

// The table of every real value with its stand-in, plus the secret stand-ins
// are derived from. A plain value: copies are independent.
class ProjectKey
{
public:
    struct Entry
    {
        EntryKind kind = EntryKind::firstName;
        QString real;
        QString standIn;
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    // What the file being swapped already holds; stand-ins must avoid it.
    struct Reserved
    {
        CaselessWords words;  // words a name or town stand-in may not equal or contain
        CaselessWords values; // spaceKeys no stand-in may take, added as they are
    };

    // A fresh random id, the current time and 32 random secret bytes unless given.
    explicit ProjectKey(const QString &name = QString(),
                        const QUuid &id = QUuid(),
                        const QDateTime &created = QDateTime(),
                        const QByteArray &secret = QByteArray());
    // The secret is wiped from memory with the last copy that holds it.
    ~ProjectKey();
    ProjectKey(const ProjectKey &) = default;
    ProjectKey(ProjectKey &&) = default;
    ProjectKey &operator=(const ProjectKey &) = default;
    ProjectKey &operator=(ProjectKey &&) = default;

    const QUuid &id() const { return m_id; }
    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    const QDateTime &created() const { return m_created; }
    const QByteArray &secret() const { return m_secret; }
    const QList<Entry> &entries() const { return m_entries; }
    const QStringList &files() const { return m_files; }
    // Adds a file name unless it is already listed.
    void addFile(const QString &fileName);
    qsizetype valueCount() const { return m_entries.size(); }
    // Room for this many entries without growing the indexes on the way.
    void reserve(qsizetype entries);

    static QString normalized(const QString &value, EntryKind kind);
    static QString realKey(const QString &value, EntryKind kind);
    static QString spaceKey(const QString &value, EntryKind kind);

    std::optional<QString> storedSubstitute(const QString &real, EntryKind kind) const;
    // The entry itself, or null; valid until the key next changes. Lookups
    // run once per word of a large file, so they hand out no copies.
    const Entry *entryForReal(QStringView real, EntryKind kind) const;
    const Entry *entryForSubstitute(QStringView text, EntryKind kind) const;
    bool isSubstitute(const QString &text, EntryKind kind) const;
    // Direct probe of the stand-in index with a ready-made spaceKey ("word|mateo").
    const Entry *entryForStandInKey(const QString &spaceKey) const;
    // The spaceKey a lookup of the text as a stand-in of the kind probes, and
    // the one an entry's stand-in is filed under, written into a buffer kept
    // from call to call.
    static void writeSubstituteKey(QString &out, QStringView text, EntryKind kind);
    static void writeStandInKey(QString &out, EntryKind kind, QStringView standIn);

    // The digests of one seed, with the secret and the seed absorbed once.
    class SeedDigest
    {
    public:
        uint64_t operator()(int attempt, QStringView variant) const;

    private:
        friend class ProjectKey;
        SeedDigest(std::shared_ptr<const crypto::HmacSha256Key> mac, const QString &seed);
        static crypto::HmacSha256Key::Prefixed prefixOf(const crypto::HmacSha256Key &mac, const QString &seed);
        std::shared_ptr<const crypto::HmacSha256Key> m_mac;
        crypto::HmacSha256Key::Prefixed m_prefix;
        // The check whether an attempt's candidate is held and the candidate
        // itself draw the same digests, so the last few are kept: each costs
        // two rounds of SHA-256.
        struct Recent
        {
            int attempt = 0;
            int size = -1; // of the variant; -1 while unused
            char variant[8] = {};
            uint64_t value = 0;
        };
        mutable std::array<Recent, 8> m_recent;
        mutable size_t m_nextRecent = 0;
    };

    // Skipping leaves out stretches of attempts whose candidates the key
    // already holds, all of them; plain tries every attempt, for comparison.
    enum class Walk { skipping, plain };

    QString assignSubstitute(const QString &real, EntryKind kind, const Reserved &reserved,
                             Walk walk = Walk::skipping);
    // The position among entries() of the entry the last assignSubstitute
    // gave out, so that a caller listing it needs no lookup of its own.
    qsizetype lastAssigned() const { return m_lastAssigned; }
    void record(const Entry &entry);
    // The key keeps the first spelling it met, unless `spelling`, the same
    // letters, is one a restore can write in every case the file used and the
    // stored one is not: a capitalised mix for a name stored in capitals or
    // lower case ("macdonald", then "MacDonald"), an e-mail address not in
    // capitals for one stored in capitals. Answers whether the key changed.
    bool preferSpelling(const QString &spelling, EntryKind kind);
    // How many spellings the key has changed so, for a caller that saves the
    // key only when it changed.
    qsizetype respellings() const { return m_respellings; }
    static bool isBetterSpelling(const QString &spelling, EntryKind kind);
    uint64_t digest(const QString &seed, int attempt, QStringView variant) const;
    SeedDigest seedDigest(const QString &seed) const;
    // Whether a candidate may be taken: not held by this key, not reserved by the file.
    bool isFree(const QString &candidate, EntryKind kind, const Reserved &reserved) const;
    // Lets go of what only assignments need, as a large key's planning ends
    // and its copy is written: the next assignment builds it again.
    void releaseTaken();

    // Attempts drawn from the kind's usual candidates; later attempts draw
    // from its widened family, which holds far more values.
    static constexpr int maxAttempts = 4000;

    // The JSON form: members sorted, dates as ISO 8601 UTC whole seconds,
    // bytes as Base64, ids as upper-case UUID text, no indentation.
    QByteArray toJson() const;
    // Throws std::runtime_error when a required member is missing or mistyped.
    static ProjectKey fromJson(const QByteArray &json);
    // One entry of a key's JSON as its bytes between the quotes, valid during
    // the call they are handed to: well-formed UTF-8 without escapes, `wide`
    // when any byte lies beyond ASCII.
    struct EntryBytes
    {
        EntryKind kind = EntryKind::firstName;
        QByteArrayView real;
        QByteArrayView standIn;
        bool realWide = false;
        bool standInWide = false;
        static QString text(QByteArrayView bytes, bool wide)
        {
            return wide ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
        }
    };
    // Reads the JSON as this program writes it without keeping its entries,
    // each handed to `take` as it is read, for a caller with a table of its
    // own: the key comes back with none. `take` answers a hash of the entry's
    // realKey, any hash that gives equal texts equal hashes, so that two
    // entries sharing a real value are found. Nothing for any other layout,
    // or when two entries may share a real value (the key keeps the first),
    // which fromJson reads, after `take` may have seen some or all of them.
    // Throws as fromJson does.
    static std::optional<ProjectKey> fromJsonEntryByEntry(const QByteArray &json,
                                                          const std::function<size_t(const EntryBytes &)> &take);

    // The shared text forms of the key file's JSON.
    static QString dateText(const QDateTime &date);
    static std::optional<QDateTime> dateFromText(const QString &text);
    static QString uuidText(const QUuid &id);
    static std::optional<QUuid> uuidFromText(const QString &text);
    static std::optional<QByteArray> bytesFromBase64(const QString &text);

    // Overwrites the secret in memory; the key is unusable for new stand-ins afterwards.
    void wipeSecret();

private:
    // The JSON form with these entries in its entries array.
    QByteArray jsonWithEntries(const QList<Entry> &written) const;
    // An index key with its hash: the same text is probed in several
    // indexes, and hashing it costs about as much as a probe.
    struct Hashed
    {
        const QString &text;
        size_t hash;
    };
    void record(Entry entry, Hashed realKey, Hashed realSpaceKey, Hashed standInKey);
    // A kind named like its namespace has its realKey as its spaceKey.
    static size_t spaceKeyHash(const QString &spaceKey, const QString &realKey, size_t realHash);
    // Recording into a key whose taken set is not filled yet, as a key read
    // from its file: only the two indexes are kept up.
    struct IndexKeys;
    void recordWithoutTaken(Entry entry, const IndexKeys &keys);
    void recordAllWithoutTaken(QList<Entry> &entries);
    // The key of a JSON object; with entries read already, nothing when the
    // object's own entries array is not empty; the entries read are taken.
    static std::optional<ProjectKey> parsed(const QByteArray &json, QList<Entry> *entriesRead);
    bool isFree(const QString &candidate, Hashed spaceKey, EntryKind kind, const Reserved &reserved) const;
    // Adds a spaceKey to m_taken and counts it into the candidate sets it
    // belongs to; as the record of the table lending it, when one does.
    void take(Hashed spaceKey, int lender = -1) const;
    static constexpr int lentByReal = 0;
    static constexpr int lentByStandIn = 1;
    TextIndex::Lenders takenLenders() const { return {&m_byReal, &m_byStandIn}; }
    // A key read from its file fills m_taken on its first assignment only:
    // a key that only restores never needs it.
    void ensureTaken() const;
    // A key read from its file builds its by-real index on first use: a key
    // that only restores looks values up by their stand-ins alone.
    void ensureByReal() const;
    // A key read from its file builds its stand-in index on first use too: a
    // restore keeps a table of its own.
    void ensureByStandIn() const;
    // Whether no two entries share a real value; a hash two entries share
    // counts as sharing, which only costs the slower, checking way in.
    static bool realsApart(const QList<Entry> &entries);
    static bool hashesApart(std::vector<size_t> hashes);
    static QString ownSpaceKey(const QString &realKey, EntryKind kind, const QString &norm);
    static QString phoneSpaceDigits(const QString &value);
    // The set members that are refused to this walk: the key's own, and the
    // file's values that lie in a set.
    const CandidateHoldings &refusedMembers(const Reserved &reserved) const;
    // Attempts past this are not tried; no family runs that far before a free candidate.
    static constexpr int lastAttempt = 1'000'000'000;

    QUuid m_id;
    QString m_name;
    QDateTime m_created;
    QByteArray m_secret;
    QList<Entry> m_entries;
    qsizetype m_respellings = 0;
    qsizetype m_lastAssigned = -1;
    QStringList m_files;
    mutable TextIndex m_byReal;
    mutable bool m_byRealFilled = true;
    mutable TextIndex m_byStandIn;
    mutable bool m_byStandInFilled = true;
    // A set of spaceKeys: each text's position is its own number. Most of
    // its texts are records of m_byReal and m_byStandIn.
    mutable TextIndex m_taken;
    // The members of each candidate set that m_taken holds.
    mutable CandidateHoldings m_held;
    mutable bool m_takenFilled = true;
    // m_held plus the members among one file's reserved values. Without them a
    // set that the key and the file fill together would never count as full,
    // and every later value would try each of its candidates in turn.
    struct ReservedHoldings
    {
        uint64_t values = 0; // the stamp of the reserved values these were counted for
        CandidateHoldings held;
        bool valid = false;
    };
    mutable ReservedHoldings m_refused;
    // Prepared from m_secret; shared by copies, since the secret never changes.
    std::shared_ptr<const crypto::HmacSha256Key> m_mac;
};

} // namespace quorvane

// A kind and two texts: a large key's lists of entries grow by moving their
// bytes, not by copying each entry and dropping the old one.
Q_DECLARE_TYPEINFO(quorvane::ProjectKey::Entry, Q_RELOCATABLE_TYPE);
