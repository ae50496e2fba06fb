#pragma once

#include <QString>

#include <optional>

namespace quorvane {

// The platform's clipboard (plain text), behind an interface so the sessions
// can be driven without touching the user's real one.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual std::optional<QString> text() const = 0;
    virtual void setText(const QString &text) = 0;
};

// The system clipboard of the running application.
class SystemClipboard : public Clipboard
{
public:
    std::optional<QString> text() const override;
    void setText(const QString &text) override;
};

} // namespace quorvane
