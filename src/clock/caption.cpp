// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "caption.h"

#include "countdown.h"

QString windowCaption(bool minimised, const Countdown &clock)
{
    return minimised ? clock.text() : QString::fromUtf16(kPlayingCaption);
}
