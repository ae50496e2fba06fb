#pragma once

#include <QString>

#include <exception>

namespace quorvane {

// Every error the user can see carries a finished sentence in the product's
// words; callers show it unchanged under a short title of their own.
class Failure : public std::exception
{
public:
    explicit Failure(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace quorvane
