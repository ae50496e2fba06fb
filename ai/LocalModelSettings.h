#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace quorvane {

// Where a language-model server with an OpenAI-style chat-completions
// endpoint runs on the user's machine, and which of its models to use.
struct LocalModelSettings
{
    QString address;          // "http://127.0.0.1:8080", with or without "/v1"
    QString model;            // as the server names it; some servers ignore it
    bool allowRemote = false; // the user chose to send cells to another machine

    bool isConfigured() const { return !address.trimmed().isEmpty(); }

    // The endpoints, or nothing with the reason in `whyNot`: a malformed
    // address, or one that is not this computer while allowRemote is off.
    std::optional<QUrl> chatEndpoint(QString *whyNot = nullptr) const;
    std::optional<QUrl> modelsEndpoint(QString *whyNot = nullptr) const;

    friend bool operator==(const LocalModelSettings &, const LocalModelSettings &) = default;
};

// localhost, 127.0.0.0/8 or ::1.
bool isLoopbackHost(const QString &host);

} // namespace quorvane
