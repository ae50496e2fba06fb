#include "app/views/KeyRow.h"

#include "app/views/PlatformWords.h"
#include "app/views/Symbols.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

QString counted(qsizetype count, const QString &one, const QString &many)
{
    return QString::number(count) % (count == 1 ? one : many);
}

} // namespace

KeyRow::KeyRow(const KeyFile &file, const ProjectKey *open, QWidget *parent) : QWidget(parent)
{
    auto *name = new QLabel(file.name(), this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto *details = new QLabel(KeyRow::details(file, open), this);
    QPalette muted = details->palette();
    muted.setColor(QPalette::WindowText, muted.color(QPalette::PlaceholderText));
    details->setPalette(muted);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setVerticalSpacing(2);
    layout->addWidget(name, 0, 0);
    layout->addWidget(details, 1, 0);
    layout->setColumnStretch(0, 1);
    if (!open) {
        auto *lock = new QLabel(this);
        lock->setPixmap(symbolIcon(Symbol::lock).pixmap(14, 14));
        lock->setAccessibleName(u"Locked"_s);
        layout->addWidget(lock, 0, 1);
    }
    m_summary = file.name() % u", "_s % (open ? QString() : u"locked, "_s) % details->text();
    setAccessibleName(m_summary);
}

QString KeyRow::details(const KeyFile &file, const ProjectKey *open)
{
    QString text = file.protection().isPassphrase() ? u"Passphrase"_s : PlatformWords::storeLabel();
    if (open) {
        text += u" · "_s % counted(open->valueCount(), u" value"_s, u" values"_s) % u" · "_s
                % counted(open->files().size(), u" file"_s, u" files"_s);
    }
    return text;
}

} // namespace quorvane
