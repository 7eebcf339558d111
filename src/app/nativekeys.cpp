// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "nativekeys.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QKeyEvent>

#if defined(Q_OS_WIN)
#include <QHash>

#include <windows.h>
#elif QT_CONFIG(xcb)
#include <xcb/xcb.h>
#include <xcb/xinput.h>
// xkb.h names a field "explicit".
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#endif

#if !defined(Q_OS_WIN) && QT_CONFIG(xcb)
namespace {

// The X input extension's number on this display; 0 until it is asked for.
quint8 inputExtension = 0;

} // namespace
#endif

void watchTheKeyboard()
{
#if !defined(Q_OS_WIN) && QT_CONFIG(xcb)
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection() : nullptr;
    if (!c)
        return;

    // A key let go just as the box it went to closes is lost to the game's
    // windows; the keyboard's raw presses come whatever has the focus.
    const char name[] = "XInputExtension";
    if (xcb_query_extension_reply_t *ext = xcb_query_extension_reply(c, xcb_query_extension(c, sizeof name - 1, name), nullptr)) {
        if (ext->present) {
            inputExtension = ext->major_opcode;
            struct {
                xcb_input_event_mask_t head{XCB_INPUT_DEVICE_ALL_MASTER, 1};
                quint32 mask = XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;
            } raw;
            const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
            xcb_input_xi_select_events(c, screen->root, 1, &raw.head);
        }
        std::free(ext);
    }
    // Where that is not there: repeats as presses without a release.
    xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT,
                             XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, 0, 0, 0);
    xcb_flush(c);
#endif
}

std::optional<NativeKey> nativeKey(const QByteArray &eventType, const void *message)
{
#if defined(Q_OS_WIN)
    if (eventType != "windows_generic_MSG")
        return std::nullopt;
    const auto *msg = static_cast<const MSG *>(message);
    const bool down = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    if (!down && msg->message != WM_KEYUP && msg->message != WM_SYSKEYUP)
        return std::nullopt;
    // Bit 30: the key was already down before this message. Where a release
    // went to a window closed meanwhile (Wine loses those) the key is not
    // down any more: a held key repeats within the keyboard's delay.
    static QHash<WPARAM, DWORD> lastDown;
    bool repeat = false;
    if (down) {
        int delay = 3; // 0..3: 250..1000 ms
        SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
        const DWORD waited = msg->time - lastDown.value(msg->wParam, msg->time - 0x7fffffff);
        repeat = (msg->lParam & (1 << 30)) && waited <= DWORD(250 * (delay + 1) + 250);
        lastDown[msg->wParam] = msg->time;
    }
    return NativeKey{quint32(msg->wParam), down, 0, repeat};
#elif QT_CONFIG(xcb)
    if (eventType != "xcb_generic_event_t")
        return std::nullopt;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & 0x7f) {
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE: {
        const auto *key = static_cast<const xcb_key_press_event_t *>(message);
        return NativeKey{key->detail, (event->response_type & 0x7f) == XCB_KEY_PRESS, key->time, std::nullopt};
    }
    case XCB_GE_GENERIC: {
        const auto *raw = static_cast<const xcb_input_raw_key_press_event_t *>(message);
        if (inputExtension == 0 || raw->extension != inputExtension
            || (raw->event_type != XCB_INPUT_RAW_KEY_PRESS && raw->event_type != XCB_INPUT_RAW_KEY_RELEASE))
            return std::nullopt;
        return NativeKey{raw->detail, raw->event_type == XCB_INPUT_RAW_KEY_PRESS, raw->time, false};
    }
    default:
        return std::nullopt;
    }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    return std::nullopt;
#endif
}

quint32 nativeCode(const QKeyEvent *event)
{
#if defined(Q_OS_WIN)
    return event->nativeVirtualKey();
#else
    return event->nativeScanCode();
#endif
}
