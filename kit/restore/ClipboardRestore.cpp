#include "kit/restore/ClipboardRestore.h"

#include "kit/restore/Restorer.h"

using namespace Qt::StringLiterals;

namespace quorvane {

QString ClipboardRestore::Outcome::message(const QString &keyName) const
{
    switch (kind) {
    case Kind::restored:
        if (count == 1)
            return u"Restored 1 value. The clipboard has the real text."_s;
        return u"Restored "_s + QString::number(count) + u" values. The clipboard has the real text."_s;
    case Kind::noKey:
        return u"Choose a key, and unlock it if it has a passphrase."_s;
    case Kind::noText:
        return u"The clipboard has no text. Copy the reply first."_s;
    case Kind::nothingFound:
        return u"No stand-ins from “"_s + keyName + u"” in the clipboard."_s;
    }
    return {};
}

ClipboardRestore::Outcome ClipboardRestore::restore(const std::optional<QString> &text, const ProjectKey *key)
{
    if (!key)
        return Outcome::noKey();
    if (!text || text->trimmed().isEmpty())
        return Outcome::noText();
    // The untrimmed text: the reply's own leading and trailing space survives.
    Restorer::TextResult restored = Restorer(*key).restore(*text);
    if (restored.count == 0)
        return Outcome::nothingFound();
    return Outcome::restored(std::move(restored.text), restored.count);
}

} // namespace quorvane
