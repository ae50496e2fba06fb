#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

// The files a write must never land on: the key that holds the only way back,
// and the input being copied. A save dialog and the command line ask the same
// question before writing anything.
class OutputGuard
{
public:
    OutputGuard(QString input, QString keyFile) : m_input(std::move(input)), m_keyFile(std::move(keyFile)) {}

    // Why nothing may be written at `output`, as a finished sentence; nothing
    // when the place is free. Links (symbolic or hard) count as the file they reach.
    std::optional<QString> problem(const QString &output) const;
    // The same, thrown as a quorvane::Failure.
    void check(const QString &output) const;

private:
    QString m_input;
    QString m_keyFile;
};

} // namespace quorvane
