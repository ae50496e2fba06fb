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

} // namespace quorvane
