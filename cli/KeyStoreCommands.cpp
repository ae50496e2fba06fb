// The "key" commands that work on the user's stored keys: list, rename,
// export, import and delete.
#include "store/KeyStore.h"
#include "cli/Command.h"
#include "cli/KeyFiles.h"
#include "cli/Passphrase.h"
#include "kit/files/OutputGuard.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <iostream>
#include <string>

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

int listKeys(const Invocation &invocation)
{
    invocation.expectPositionals(0, 0, u"no arguments"_s);
    const QList<KeyFile> keys = keyStore().list();
    QTextStream &out = invocation.out();
    if (invocation.flag(u"json"_s)) {
        QJsonArray list;
        for (const KeyFile &file : keys) {
            list.append(QJsonObject{{u"id"_s, ProjectKey::uuidText(file.id())},
                                    {u"name"_s, file.name()},
                                    {u"created"_s, ProjectKey::dateText(file.created())},
                                    {u"protection"_s, protectionText(file.protection())}});
        }
        out << QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)) << '\n';
        return 0;
    }
    for (const KeyFile &file : keys) {
        out << ProjectKey::uuidText(file.id()) << "  " << ProjectKey::dateText(file.created()) << "  "
            << protectionText(file.protection()).leftJustified(10) << "  " << file.name() << '\n';
    }
    return 0;
}

int renameKey(const Invocation &invocation)
{
    invocation.expectPositionals(2, 2, u"a key and its new name"_s);
    OpenedKey opened = openKey(invocation, invocation.positionals().at(0));
    const QString name = invocation.positionals().at(1).trimmed();
    opened.key.setName(name.isEmpty() ? u"Untitled Key"_s : name);
    opened.save();
    return 0;
}

// A passphrase-protected key leaves as it is; one protected by the secret
// store is sealed anew under a passphrase for the copy, since its secret
// can't leave this machine.
int exportKey(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one key"_s);
    const QString to = invocation.required(u"to"_s);
    const FoundKey found = findKey(invocation.positionals().first());
    OutputGuard({}, found.path).check(to);
    if (found.file.protection().isPassphrase()) {
        writeAtomically(to, found.file.data());
        return 0;
    }
    const OpenedKey opened = openKey(invocation, invocation.positionals().first());
    writeAtomically(to, sealWithNewPassphrase(invocation, opened.key, u"Passphrase for the copy: "_s).data());
    return 0;
}

int importKey(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one exported key file"_s);
    const KeyFile file = keyStore().importFile(invocation.positionals().first(), u"run “quorvane key export”"_s);
    invocation.out() << ProjectKey::uuidText(file.id()) << '\n';
    return 0;
}

bool confirmed(const KeyFile &file)
{
    std::cerr << u"Delete the key “%1”? Files swapped with this key can’t be restored without it. "
                 u"Export a copy first if you might need it. [y/N] "_s.arg(file.name()).toStdString();
    std::cerr.flush();
    std::string answer;
    std::getline(std::cin, answer);
    const QString typed = QString::fromStdString(answer).trimmed().toLower();
    return typed == u"y"_s || typed == u"yes"_s;
}

int deleteKey(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one key"_s);
    const FoundKey found = findKey(invocation.positionals().first());
    if (!found.stored)
        throw Failure(u"“%1” isn’t one of your stored keys; this command deletes only those."_s.arg(found.path));
    // A name edited in the file must not pick the key to delete: opening
    // checks it against the sealed one. An id needs no such check.
    if (found.byName)
        openKey(invocation, invocation.positionals().first());
    if (!invocation.flag(u"yes"_s) && !confirmed(found.file))
        throw Failure(u"Nothing was deleted."_s);
    keyStore().deleteKey(found.file.id());
    return 0;
}

} // namespace

QList<Command> keyStoreCommands()
{
    return {
        {{u"key"_s, u"list"_s}, u"[--json]"_s,
         u"list your stored keys, oldest first: id, created, protection and name"_s,
         {{u"json"_s, {}, u"print one JSON array"_s}},
         listKeys},
        {{u"key"_s, u"rename"_s}, u"KEY NAME"_s, u"give a key a new name"_s, {}, renameKey},
        {{u"key"_s, u"export"_s}, u"KEY --to FILE"_s,
         u"write a copy of a key that opens with a passphrase (a key protected by the "_s
             + SecretStore::displayName() + u" asks for a new one)"_s,
         {{u"to"_s, u"FILE"_s, u"where to write the copy (replaced if it exists)"_s}},
         exportKey},
        {{u"key"_s, u"import"_s}, u"FILE"_s, u"add an exported key file to your stored keys and print its id"_s, {},
         importKey},
        {{u"key"_s, u"delete"_s}, u"KEY [--yes]"_s,
         u"delete a stored key and its secret, after asking unless --yes is given"_s,
         {{u"yes"_s, {}, u"don't ask for confirmation"_s}},
         deleteKey},
    };
}

} // namespace quorvane::cli
