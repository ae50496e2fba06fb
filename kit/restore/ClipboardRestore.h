#pragma once

#include "kit/keys/ProjectKey.h"

#include <QString>

#include <optional>

namespace quorvane {

// The decision behind "Restore Clipboard": restore the clipboard's text with
// the selected key and name the outcome. Reading and writing the clipboard is
// the caller's; it writes back only a restored outcome.
class ClipboardRestore
{
public:
    struct Outcome
    {
        enum class Kind { restored, noKey, noText, nothingFound };
        Kind kind = Kind::noKey;
        QString text; // restored only
        int count = 0; // restored only, at least 1

        static Outcome restored(QString text, int count) { return {Kind::restored, std::move(text), count}; }
        static Outcome noKey() { return {Kind::noKey, {}, 0}; }
        static Outcome noText() { return {Kind::noText, {}, 0}; }
        static Outcome nothingFound() { return {Kind::nothingFound, {}, 0}; }

        // The one-line message for the panel; keyName is "" when no key is selected.
        QString message(const QString &keyName) const;
        friend bool operator==(const Outcome &, const Outcome &) = default;
    };

    static Outcome restore(const std::optional<QString> &text, const ProjectKey *key);
};

} // namespace quorvane
