#pragma once

#include "cli/Command.h"
#include "kit/keys/KeyFile.h"

#include <QByteArray>
#include <QString>

namespace quorvane::cli {

// A key file opened from disk, with the file secret that opened it so changes
// can be sealed again under the same protection.
struct OpenedKey
{
    QString path;
    KeyFile file;
    ProjectKey key;
    QByteArray fileSecret;

    OpenedKey(QString path, KeyFile file, ProjectKey key, QByteArray fileSecret);
    ~OpenedKey();
    OpenedKey(const OpenedKey &) = delete;
    OpenedKey &operator=(const OpenedKey &) = delete;

    // Seals the key again (same protection and file secret, fresh nonce) and replaces the file.
    void save() const;
};

// Reads the key file at path; throws quorvane::Failure.
KeyFile readKeyFile(const QString &path);
// Reads and opens the key file at path, asking for the passphrase as the invocation says.
OpenedKey openKeyFile(const Invocation &invocation, const QString &path);
// Writes the bytes through a temporary file that replaces the target.
void writeAtomically(const QString &path, const QByteArray &bytes);

} // namespace quorvane::cli
