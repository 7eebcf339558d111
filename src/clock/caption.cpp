#include "caption.h"

#include "countdown.h"

QString windowCaption(bool minimised, const Countdown &clock)
{
    return minimised ? clock.text() : QString::fromUtf16(kPlayingCaption);
}
