// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a screen reader is told of the game's controls beyond what Qt tells:
// the clock is the window's status bar, the diagram's pieces are a picture,
// and the answer box's text is read whole.
void installSpokenRoles();
