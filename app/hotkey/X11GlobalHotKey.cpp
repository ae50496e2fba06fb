#include "app/hotkey/X11GlobalHotKey.h"

#include "app/hotkey/NoGlobalHotKey.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <array>

namespace quorvane {

namespace {

constexpr xcb_keysym_t keysymR = 0x0072; // XK_r
constexpr uint16_t comboModifiers = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4; // Ctrl, Alt, Super
// NumLock is Mod2 on every common keymap; CapsLock is Lock.
constexpr std::array<uint16_t, 4> lockVariants{0, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK,
                                               XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK};

xcb_connection_t *connection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

uint8_t keycodeOfR(xcb_connection_t *c)
{
    xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(c);
    if (!symbols)
        return 0;
    xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols, keysymR);
    const uint8_t code = codes ? codes[0] : 0;
    free(codes);
    xcb_key_symbols_free(symbols);
    return code;
}

} // namespace

X11GlobalHotKey::X11GlobalHotKey() = default;

X11GlobalHotKey::~X11GlobalHotKey()
{
    unregisterHotKey();
    if (m_filterInstalled && qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

bool X11GlobalHotKey::grab(uint8_t keycode)
{
    xcb_connection_t *c = connection();
    bool granted = true;
    for (uint16_t locks : lockVariants) {
        const xcb_void_cookie_t cookie = xcb_grab_key_checked(c, 1, rootWindow(c), comboModifiers | locks, keycode,
                                                              XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t *error = xcb_request_check(c, cookie)) {
            granted = false; // BadAccess: another program holds it
            free(error);
        }
    }
    if (!granted) {
        for (uint16_t locks : lockVariants)
            xcb_ungrab_key(c, keycode, rootWindow(c), comboModifiers | locks);
        xcb_flush(c);
    }
    return granted;
}

bool X11GlobalHotKey::registerHotKey(std::function<void()> action)
{
    unregisterHotKey();
    xcb_connection_t *c = connection();
    const uint8_t keycode = c ? keycodeOfR(c) : 0;
    if (keycode == 0 || !grab(keycode))
        return false;
    if (!m_filterInstalled) {
        qGuiApp->installNativeEventFilter(this);
        m_filterInstalled = true;
    }
    m_keycode = keycode;
    m_action = std::move(action);
    return true;
}

void X11GlobalHotKey::unregisterHotKey()
{
    if (m_keycode != 0) {
        if (xcb_connection_t *c = connection()) {
            for (uint16_t locks : lockVariants)
                xcb_ungrab_key(c, m_keycode, rootWindow(c), comboModifiers | locks);
            xcb_flush(c);
        }
    }
    m_keycode = 0;
    m_action = nullptr;
}

bool X11GlobalHotKey::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (m_keycode == 0 || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto *press = static_cast<const xcb_key_press_event_t *>(message);
    const uint16_t modifiers = press->state & (XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4 | XCB_MOD_MASK_SHIFT);
    if (press->detail != m_keycode || modifiers != comboModifiers)
        return false;
    if (m_action)
        m_action();
    return true;
}

std::unique_ptr<GlobalHotKey> GlobalHotKey::forPlatform()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return std::make_unique<X11GlobalHotKey>();
    return std::make_unique<NoGlobalHotKey>();
}

QString GlobalHotKey::shortcutText()
{
    return QStringLiteral("Ctrl+Alt+Super+R");
}

} // namespace quorvane
