// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAnyStringView>
#include <QCursor>
#include <QIcon>

#include <functional>

class QWidget;

// Every picture of the game is loaded here. Each one is drawn at several
// pixel sizes for the same size on screen, so that a screen scaled by 1.25,
// 1.5 or 2 gets pixels of its own rather than a stretched 32-pixel drawing.
namespace Pictures {

// The picture `name` ("stopwatch", "noentry", "face-smile", …) in all its
// sizes.
QIcon picture(QAnyStringView name);

// The board of coloured tiles, from 16 to 128 pixels.
QIcon applicationIcon();

// The face pointer, 32 points wide, for a screen of that scale.
QCursor faceCursor(qreal devicePixelRatio);

// Calls `apply` with the scale of the screen `widget` is on, now and again
// whenever its window moves to another screen: for the pointer and for fixed
// pixmaps, which Qt does not redraw at the new scale by itself.
void followScreenScale(QWidget *widget, std::function<void(qreal)> apply);

} // namespace Pictures
