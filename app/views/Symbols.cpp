#include "app/views/Symbols.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

struct SymbolSource
{
    QString themeName;
    QString bundled;
};

SymbolSource source(Symbol symbol)
{
    switch (symbol) {
    case Symbol::key:
        return {u"dialog-password"_s, u"symbols/key.svg"_s};
    case Symbol::lock:
        return {u"changes-prevent"_s, u"symbols/lock.svg"_s};
    case Symbol::importKey:
        return {u"document-import"_s, u"symbols/import.svg"_s};
    case Symbol::newKey:
        return {u"document-new"_s, u"symbols/new-key.svg"_s};
    case Symbol::swap:
        return {u"object-flip-horizontal"_s, u"symbols/swap.svg"_s};
    case Symbol::restore:
        return {u"edit-undo"_s, u"symbols/restore.svg"_s};
    case Symbol::reveal:
        return {u"view-reveal"_s, u"symbols/eye.svg"_s};
    case Symbol::conceal:
        return {u"view-conceal"_s, u"symbols/eye-slash.svg"_s};
    case Symbol::clipboard:
        return {u"edit-paste"_s, u"symbols/clipboard.svg"_s};
    case Symbol::window:
        return {u"window-new"_s, u"symbols/window.svg"_s};
    case Symbol::power:
        return {u"application-exit"_s, u"symbols/power.svg"_s};
    case Symbol::settings:
        return {u"preferences-system"_s, u"symbols/gear.svg"_s};
    case Symbol::application:
        break;
    }
    return {u"quorvane"_s, u"quorvane.svg"_s};
}

} // namespace

QIcon symbolIcon(Symbol symbol)
{
    const SymbolSource found = source(symbol);
    return QIcon::fromTheme(found.themeName, QIcon(u":/quorvane/app/"_s % found.bundled));
}

} // namespace quorvane
