#pragma once

#include "kit/keys/KeyFile.h"
#include "kit/keys/ProjectKey.h"

#include <QWidget>

class QLabel;

namespace quorvane {

// One key in the sidebar: its name, a lock while it is closed, its protection
// and, while open, how many values and files it holds.
class KeyRow : public QWidget
{
    Q_OBJECT

public:
    KeyRow(const KeyFile &file, const ProjectKey *open, QWidget *parent = nullptr);

    // The row's text in one line, for assistive technology and tests.
    const QString &summary() const { return m_summary; }

    static QString details(const KeyFile &file, const ProjectKey *open);

private:
    QString m_summary;
};

} // namespace quorvane
