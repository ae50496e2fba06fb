#pragma once

#include "app/views/KeySheet.h"

#include <QUuid>

class QLineEdit;

namespace quorvane {

// "Rename Key": a new name for an open key.
class RenameSheet : public KeySheet
{
    Q_OBJECT

public:
    RenameSheet(const QUuid &id, const QString &name, QWidget *parent);

    const QUuid &id() const { return m_id; }
    QLineEdit *nameField() const { return m_name; }

Q_SIGNALS:
    void rename(const QString &name);

private:
    QUuid m_id;
    QLineEdit *m_name;
};

} // namespace quorvane
