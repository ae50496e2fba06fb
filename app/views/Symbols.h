#pragma once

#include <QIcon>

namespace quorvane {

// The named symbols the window shows: the desktop theme's icon where the
// theme has one, otherwise a drawing bundled with the application.
enum class Symbol { key, lock, importKey, newKey, swap, restore, reveal, conceal, application, clipboard, window, power, settings };

QIcon symbolIcon(Symbol symbol);

} // namespace quorvane
