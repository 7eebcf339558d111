// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keyguard.h"

#include "nativekeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <functional>

namespace {

bool acts(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Space;
}

// Keys known only from Qt's events are counted apart from the native codes.
constexpr quint32 kQtKey = 0x80000000u;

// Passes what a widget is sent on to the guard, once every filter of the
// whole program has had its say.
class AtWidgets final : public QObject
{
public:
    AtWidgets(std::function<bool(QObject *, QEvent *)> filter, QObject *parent)
        : QObject(parent), m_filter(std::move(filter)) {}
    bool eventFilter(QObject *watched, QEvent *event) override { return m_filter(watched, event); }

private:
    std::function<bool(QObject *, QEvent *)> m_filter;
};

} // namespace

KeyGuard::KeyGuard(QObject *parent)
    : QObject(parent),
      m_atWidgets(new AtWidgets([this](QObject *watched, QEvent *event) { return stopsAtWidget(watched, event); }, this))
{
}

void KeyGuard::install(QApplication &app)
{
    auto *guard = new KeyGuard(&app);
    watchTheKeyboard();
    app.installEventFilter(guard);
    app.installNativeEventFilter(guard);
}

bool KeyGuard::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    const std::optional<NativeKey> key = nativeKey(eventType, message);
    if (!key)
        return false;
    const quint32 code = key->code;
    if (key->repeat) {
        m_systemTells = true;
        if (key->pressed && !*key->repeat)
            ++m_pressed[code];
        return false;
    }
    if (m_systemTells)
        return false;
    if (key->pressed) {
        // A held key repeats as presses without a release, or as a release
        // and a press with the same time stamp where the repeats cannot be
        // told apart otherwise.
        const bool repeat = m_down.value(code) || (key->time != 0 && key->time == m_releasedAt.value(code));
        if (!repeat)
            ++m_pressed[code];
        m_down[code] = true;
    } else {
        m_down[code] = false;
        m_releasedAt[code] = key->time;
    }
    return false;
}

// A screen reader's filter on the whole program may hold a key event back
// and send a copy later: only what reaches a widget counts, so the guard
// watches every widget a key that acts is sent to.
bool KeyGuard::eventFilter(QObject *watched, QEvent *event)
{
    // Not the windows: they hand their keys on to the widget with the focus.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && acts(static_cast<QKeyEvent *>(event)->key()))
        watched->installEventFilter(m_atWidgets); // again only moves it first
    return false;
}

bool KeyGuard::stopsAtWidget(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !acts(static_cast<QKeyEvent *>(event)->key()))
        return false;
    // A key a widget leaves alone goes on to its parent, as the same event.
    auto *widget = qobject_cast<QWidget *>(watched);
    if (event == m_last.event && widget && m_last.widget && widget->isAncestorOf(m_last.widget)) {
        m_last.widget = widget;
        return m_last.stopped;
    }
    m_last = {event, widget, !isFreshPress(static_cast<QKeyEvent *>(event))};
    return m_last.stopped;
}

bool KeyGuard::isFreshPress(const QKeyEvent *key)
{
    quint32 code = nativeCode(key);
    if (!m_pressed.contains(code)) {
        // Not seen as the window system reported it (a platform without
        // native events): Qt's repeat flag is all there is.
        code = kQtKey | quint32(key->key());
        if (!key->isAutoRepeat())
            ++m_pressed[code];
    }
    const quint64 pressed = m_pressed.value(code);
    if (m_passed.value(code) == pressed)
        return false; // this press has acted already
    m_passed[code] = pressed;
    return true;
}
