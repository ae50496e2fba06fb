// The "key" command group: make, inspect and use project key files.
#include "store/KeyStore.h"
#include "cli/Command.h"
#include "cli/KeyFiles.h"
#include "cli/Passphrase.h"
#include "kit/keys/Crypto.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

// A new key written to a file of the user's choosing: always passphrase-protected,
// since no other machine could open it otherwise.
void newKeyFile(const Invocation &invocation, ProjectKey &key, const QString &out)
{
    if (QFileInfo::exists(out))
        throw Failure(u"“%1” already exists; choose another place for the new key."_s.arg(out));
    writeAtomically(out, sealWithNewPassphrase(invocation, key, u"New passphrase: "_s).data());
}

// A new stored key, protected by the OS secret store unless a passphrase is asked for.
void newStoredKey(const Invocation &invocation, ProjectKey &key)
{
    KeyStore &store = keyStore();
    if (invocation.flag(u"passphrase"_s)) {
        store.save(sealWithNewPassphrase(invocation, key, u"New passphrase: "_s));
        return;
    }
    QByteArray secret = KeyFile::newSecret();
    crypto::WipeOnExit wipeSecret(secret);
    store.storeSecret(secret, key.id(), key.name());
    try {
        store.save(KeyFile::seal(key, KeyFile::Protection::keychain(), secret));
    } catch (...) {
        // A secret without its key file would only be litter in the store.
        store.deleteSecret(key.id());
        throw;
    }
}

int newKey(const Invocation &invocation)
{
    invocation.expectPositionals(0, 0, u"no arguments besides the options"_s);
    const QString name = invocation.required(u"name"_s).trimmed();
    ProjectKey key(name.isEmpty() ? u"Untitled Key"_s : name);
    if (invocation.has(u"out"_s))
        newKeyFile(invocation, key, invocation.value(u"out"_s));
    else
        newStoredKey(invocation, key);
    key.wipeSecret();
    invocation.out() << ProjectKey::uuidText(key.id()) << '\n';
    return 0;
}

int showKey(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one key"_s);
    const OpenedKey opened = openKeyFile(invocation, invocation.positionals().first());
    const ProjectKey &key = opened.key;
    const KeyFile::Protection &protection = opened.file.protection();
    QTextStream &out = invocation.out();
    if (invocation.flag(u"json"_s)) {
        const QJsonObject summary{
            {u"id"_s, ProjectKey::uuidText(key.id())},
            {u"name"_s, key.name()},
            {u"created"_s, ProjectKey::dateText(key.created())},
            {u"protection"_s, protectionText(protection)},
            {u"values"_s, double(key.valueCount())},
            {u"files"_s, double(key.files().size())},
        };
        out << QString::fromUtf8(QJsonDocument(summary).toJson(QJsonDocument::Compact)) << '\n';
        return 0;
    }
    out << "id:         " << ProjectKey::uuidText(key.id()) << '\n'
        << "name:       " << key.name() << '\n'
        << "created:    " << ProjectKey::dateText(key.created()) << '\n'
        << "protection: " << protectionText(protection);
    if (protection.isPassphrase())
        out << " (" << protection.rounds << " rounds)";
    out << '\n'
        << "values:     " << key.valueCount() << '\n'
        << "files:      " << key.files().size() << '\n';
    for (const QString &file : key.files())
        out << "  " << file << '\n';
    return 0;
}

EntryKind requiredKind(const Invocation &invocation)
{
    const QString raw = invocation.required(u"kind"_s);
    if (std::optional<EntryKind> kind = entryKindFromRaw(raw))
        return *kind;
    QStringList known;
    for (EntryKind kind : allEntryKinds())
        known.append(rawString(kind));
    throw UsageError(u"unknown kind “%1” (one of %2)"_s.arg(raw, known.join(u", "_s)));
}

int standIns(const Invocation &invocation)
{
    invocation.expectPositionals(2, -1, u"a key and at least one value"_s);
    const EntryKind kind = requiredKind(invocation);
    OpenedKey opened = openKeyFile(invocation, invocation.positionals().first());
    const ProjectKey before = opened.key;
    // Nothing is reserved: these values come from no file.
    const ProjectKey::Reserved reserved;
    QTextStream &out = invocation.out();
    for (const QString &value : invocation.positionals().mid(1))
        out << value << '\t' << opened.key.assignSubstitute(value, kind, reserved) << '\n';
    if (invocation.flag(u"save"_s) && opened.key.valueCount() != before.valueCount())
        opened.save();
    return 0;
}

} // namespace

QList<Command> keyCommands()
{
    return {
        {{u"key"_s, u"new"_s}, u"--name NAME [--passphrase] [--out FILE]"_s,
         u"make a new key among your stored keys and print its id; it opens with the "_s
             + SecretStore::displayName() + u" of this "_s + SecretStore::machineName()
             + u", or with a passphrase when --passphrase or --out is given"_s,
         {{u"name"_s, u"NAME"_s, u"the key's name"_s},
          {u"passphrase"_s, {}, u"protect the stored key with a passphrase"_s},
          {u"out"_s, u"FILE"_s, u"write a passphrase-protected key file there instead of storing the key"_s}},
         newKey},
        {{u"key"_s, u"show"_s}, u"KEY [--json]"_s,
         u"open a key and print its id, name, created time, protection and counts"_s,
         {{u"json"_s, {}, u"print one JSON object"_s}},
         showKey},
        {{u"key"_s, u"standin"_s}, u"KEY --kind KIND VALUE... [--save]"_s,
         u"print VALUE<TAB>STANDIN for each value; --save records new ones in the key file"_s,
         {{u"kind"_s, u"KIND"_s, u"firstName, lastName, email, phone, street, city or zip"_s},
          {u"save"_s, {}, u"keep the new stand-ins in the key file"_s}},
         standIns},
    };
}

} // namespace quorvane::cli
