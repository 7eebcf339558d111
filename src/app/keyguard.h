// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QKeyEvent;

class QApplication;

// A key that acts (Enter, Escape, Space) acts once for each time it is
// pressed, however long it is held and whatever passes it on: the keyboard's
// own repeat, a screen reader that holds keys back and sends copies later,
// an input method that hands them on. The keyboard itself tells a fresh
// press from a repeat, as it happens; the copies that reach the game later
// carry neither its time nor always its repeat flag.
class KeyGuard final : public QObject, public QAbstractNativeEventFilter
{
public:
    // Guards every window of the program.
    static void install(QApplication &app);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    explicit KeyGuard(QObject *parent);
    bool stopsAtWidget(QObject *watched, QEvent *event);
    bool isFreshPress(const QKeyEvent *key);

    QObject *const m_atWidgets;
    struct Judged
    {
        const QEvent *event = nullptr;
        QPointer<QWidget> widget;
        bool stopped = false;
    } m_last;

    // Fresh presses of each key so far, and how many of them have been let
    // through to a window: a press beyond those is let through once.
    QHash<quint32, quint64> m_pressed;
    QHash<quint32, quint64> m_passed;
    QHash<quint32, bool> m_down;
    QHash<quint32, unsigned long> m_releasedAt;
    bool m_systemTells = false; // whether a press is a repeat
};
