#include "kit/files/OutputGuard.h"

#include "kit/Failure.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Same device and inode, after following links; a path that doesn't exist yet
// is only the same file when it is spelled the same.
bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    std::error_code error;
    if (std::filesystem::equivalent(nativePath(a), nativePath(b), error))
        return true;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

std::optional<QString> OutputGuard::problem(const QString &output) const
{
    if (sameFile(output, m_keyFile))
        return u"“%1” is the key file. Writing there would destroy the key and every value it holds; "
               u"choose another place."_s.arg(QFileInfo(m_keyFile).fileName());
    if (sameFile(output, m_input))
        return u"The copy would replace “%1”. Choose another place for it."_s.arg(QFileInfo(m_input).fileName());
    return std::nullopt;
}

void OutputGuard::check(const QString &output) const
{
    if (const std::optional<QString> message = problem(output))
        throw Failure(*message);
}

} // namespace quorvane
