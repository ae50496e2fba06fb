#include "store/AtomicFile.h"

#include "kit/Failure.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw Failure(u"“"_s % QFileInfo(path).fileName() % u"” couldn’t be written: "_s % reason % u"."_s);
}

} // namespace

void writeAtomically(const QString &path, const QByteArray &bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        fail(path, u"the folder “"_s % QDir::toNativeSeparators(folder) % u"” doesn’t exist"_s);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(path, reason);
    }
    if (!file.commit())
        fail(path, file.errorString());
}

} // namespace quorvane
