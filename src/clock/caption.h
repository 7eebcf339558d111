#pragma once

#include <QString>

struct Countdown;

// The window's caption: the time left while the window is minimised, so that
// the task bar shows the clock; the game's name otherwise.
QString windowCaption(bool minimised, const Countdown &clock);

inline constexpr char16_t kPlayingCaption[] = u"Quotellare";
