// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <optional>

class QByteArray;
class QKeyEvent;

// A key as the window system reports it, before Qt or anything else has
// passed it on.
struct NativeKey
{
    quint32 code;           // the X key code, or the Windows virtual key
    bool pressed;           // false: released
    unsigned long time = 0; // the X server's time stamp
    // Whether a press is a held key's repeat, where the system says so:
    // Windows does; X input's raw events come from the keyboard itself,
    // where a held key never repeats. Otherwise it is to be worked out.
    std::optional<bool> repeat;
};

// Asks the window system for what tells a fresh press from a held key's
// repeat: on X, the keyboard's own presses wherever the focus is, and
// repeats sent as presses without a release.
void watchTheKeyboard();

// The key event in a native message of the window system, if it is one.
std::optional<NativeKey> nativeKey(const QByteArray &eventType, const void *message);

// The code of the key a Qt key event came from, as nativeKey() gives it;
// 0 when it came from nowhere known.
quint32 nativeCode(const QKeyEvent *event);
