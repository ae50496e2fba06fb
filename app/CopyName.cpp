#include "app/CopyName.h"

#include "kit/files/OutputGuard.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace quorvane::CopyName {

namespace {

const QStringList earlierLabels{u" (stand-ins)"_s, u" (restored)"_s};

// Symbolic links and "..", so two spellings of one file compare equal.
QString resolved(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // A file that doesn't exist yet: resolve its folder.
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : QDir(folder).filePath(info.fileName());
}

} // namespace

QString extension(const QString &inputName)
{
    const qsizetype dot = inputName.lastIndexOf(u'.');
    return dot <= 0 ? QString() : inputName.mid(dot + 1);
}

QString suggested(const QString &inputName, const QString &label)
{
    const QString ext = extension(inputName);
    QString base = ext.isEmpty() ? inputName : inputName.left(inputName.size() - ext.size() - 1);
    for (const QString &earlier : earlierLabels) {
        if (base.endsWith(earlier))
            base.chop(earlier.size());
    }
    const QString named = base % u" ("_s % label % u")"_s;
    return ext.isEmpty() ? named : named % u'.' % ext;
}

std::optional<QString> refusal(const QString &target, const QStringList &untouchable, const QString &keysFolder)
{
    // The command line asks the same question of its copies.
    for (const QString &kept : untouchable) {
        if (auto problem = OutputGuard(kept, QString()).problem(target))
            return problem;
    }
    if (!keysFolder.isEmpty() && QFileInfo(resolved(target)).absolutePath() == resolved(keysFolder))
        return u"That folder holds your keys. Choose another folder for the copy."_s;
    return std::nullopt;
}

} // namespace quorvane::CopyName
