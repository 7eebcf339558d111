// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAnyStringView>
#include <QCursor>
#include <QIcon>
#include <QPixmap>

// Every picture of the game is loaded here. The pictures are pixel drawings
// of few colours, drawn at several pixel sizes for the same size on screen;
// any other size is made from the nearest drawing by whole pixels, never
// smoothed, so that a picture is as crisp at 1.33 or 3 times its size as at
// its own.
namespace Pictures {

// The picture `name` ("stopwatch", "noentry", "face-smile", …) `points`
// wide and high, for a screen whose points have devicePixelRatio pixels.
QPixmap picture(QAnyStringView name, qreal points, qreal devicePixelRatio);

// The board of coloured tiles, from 16 to 128 pixels.
QIcon applicationIcon();

// The face pointer, `points` wide, for a screen of that scale.
QCursor faceCursor(qreal points, qreal devicePixelRatio);

} // namespace Pictures
