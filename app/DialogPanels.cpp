#include "app/DialogPanels.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

QString nameFilter(const QStringList &extensions)
{
    if (extensions.isEmpty())
        return {};
    QStringList patterns;
    for (const QString &extension : extensions)
        patterns.append(u"*."_s % extension);
    return patterns.join(u' ');
}

QString startFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace

std::optional<QString> DialogPanels::chooseSaveLocation(const QString &suggestedName, const QString &extension,
                                                        const QString &message)
{
    QFileDialog dialog(m_window, message, QDir(startFolder()).filePath(suggestedName), nameFilter({extension}));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(extension);
    dialog.setLabelText(QFileDialog::Accept, u"Save"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> DialogPanels::chooseFileToOpen(const QStringList &extensions, const QString &message)
{
    QFileDialog dialog(m_window, message, startFolder(), nameFilter(extensions));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace quorvane
