// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

namespace Layout {
struct Font;
}

// The layout names the classic Windows fonts; where they are missing, these
// map each of them to the closest font installed with the game.
void installFontSubstitutes();

// A font of the layout, sized in pixels as it was drawn at 96 dpi so that the
// text fits its box on any screen; `scale` times that where the whole layout
// is shown smaller.
QFont layoutFont(const Layout::Font &font, double scale = 1);
