#pragma once

#include "kit/Failure.h"
#include "kit/keys/ProjectKey.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUuid>

#include <cstdint>
#include <functional>
#include <optional>

namespace quorvane {

// A project key sealed with AES-256-GCM, with its identity and name in the open.
class KeyFile
{
public:
    static constexpr int currentFormat = 1;
    static constexpr int defaultRounds = 600000;
    static constexpr int saltLength = 16;
    static constexpr int secretLength = 32;
    // Round counts outside these bounds are refused as damage: too few would
    // make a passphrase cheap to guess, too many would keep every open busy
    // for minutes before it could fail.
    static constexpr int64_t fewestRounds = 1000;
    static constexpr int64_t mostRounds = 10'000'000;
    // A nonce and a tag, around an empty ciphertext.
    static constexpr int smallestBox = 28;
    static inline const QString fileExtension = QStringLiteral("quorvanekey");

    class Failure : public quorvane::Failure
    {
    public:
        enum class Kind { wrongPassphrase, damaged, newerFormat };
        explicit Failure(Kind kind);
        Kind kind() const { return m_kind; }
        static QString description(Kind kind);

    private:
        Kind m_kind;
    };

    // How the file secret is obtained: a passphrase stretched with PBKDF2, or
    // a random secret kept in the OS secret store under the key's id.
    struct Protection
    {
        enum class Kind { passphrase, keychain };
        Kind kind = Kind::keychain;
        QByteArray salt;     // passphrase only
        int64_t rounds = 0;  // passphrase only

        static Protection keychain() { return {}; }
        static Protection passphrase(const QByteArray &salt, int64_t rounds = defaultRounds)
        {
            return {Kind::passphrase, salt, rounds};
        }
        bool isPassphrase() const { return kind == Kind::passphrase; }
        friend bool operator==(const Protection &, const Protection &) = default;
    };

    // Reads a key file's JSON; throws Failure (damaged or newerFormat).
    explicit KeyFile(const QByteArray &data);

    // Seals a key; a fresh nonce every time.
    static KeyFile seal(const ProjectKey &key, const Protection &protection, const QByteArray &fileSecret);

    // Opening also checks the open name against the sealed one: a file whose
    // name was edited outside the program is damaged.
    ProjectKey open(const QByteArray &fileSecret) const;
    ProjectKey open(const QString &passphrase) const;
    // Opens the box and reads its JSON with `read`, for a caller that keeps
    // more of it than the key, checked and failing as open() does.
    using Reader = std::function<ProjectKey(const QByteArray &json)>;
    ProjectKey open(const QByteArray &fileSecret, const Reader &read) const;

    static QByteArray deriveSecret(const QString &passphrase, const QByteArray &salt, int64_t rounds);
    static QByteArray newSalt();
    static QByteArray newSecret();
    static std::optional<QString> passphraseProblem(const QString &passphrase);

    // Everything that can be checked before a secret is at hand (box size,
    // salt length, format); throws Failure (damaged). For files arriving from
    // elsewhere, such as an import.
    void checkWithoutSecret() const;

    // The key file's JSON, as written to disk.
    QByteArray data() const;
    // The same, written over the box's own buffer when it has the room (a
    // freshly sealed key's has), so that a large key's file is held once.
    QByteArray takeData() &&;
    // The authenticated header: format|ID|created seconds|protection.
    QByteArray header() const;

    int format() const { return m_format; }
    const QUuid &id() const { return m_id; }
    const QString &name() const { return m_name; }
    const QDateTime &created() const { return m_created; }
    const Protection &protection() const { return m_protection; }
    const QByteArray &box() const { return m_box; }

private:
    KeyFile() = default;
    QByteArray afterBox() const;

    int m_format = currentFormat;
    QUuid m_id;
    QString m_name;
    QDateTime m_created;
    Protection m_protection;
    QByteArray m_box;
};

} // namespace quorvane
