// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's clock: the fifteen-minute countdown, its end, and the caption
// that follows the window's state.
#include "tavola.h"

#include "clock/caption.h"
#include "dialogs.h"
#include "label.h"

#include <QEvent>
#include <QTimer>

namespace {

const QString kClockAtZero = QStringLiteral("00:00:00");

} // namespace

void Tavola::StartCountdown()
{
    m_Timer1->start();
    m_state.clock.start();
    showClock();
}

void Tavola::Timer1_Timer()
{
    if (m_ended)
        return;
    Countdown &clock = m_state.clock;
    const bool atZero = m_controls.lblconto->caption() == kClockAtZero;

    // The end of the game speaks through boxes; a tick that falls due while
    // another box is open lets that one be answered first.
    if ((atZero || clock.timeIsUp()) && m_openBoxes > 0)
        return;

    if (atZero) {
        cmdExit_Click();
        if (m_ended)
            return;
    }
    if (clock.timeIsUp()) {
        withBox([&] { m_dialogs.inform(this, QStringLiteral("Tempo scaduto")); });
        cmdExit_Click();
        if (m_ended)
            return;
        m_Timer1->stop();
        m_dialogs.beep();
        return;
    }

    clock.advance();
    showClock();
    if (isMinimized())
        ShowTimeInCaption();
}

void Tavola::showClock()
{
    const QString time = m_state.clock.text();
    m_controls.lblconto->setCaption(time);
    m_controls.lblconto->setAccessibleName(QStringLiteral("Tempo restante: ") + time);
}

void Tavola::Form_Resize()
{
    if (isMinimized())
        ShowTimeInCaption();
    else
        setWindowTitle(windowCaption(false, m_state.clock));
}

void Tavola::ShowTimeInCaption()
{
    setWindowTitle(windowCaption(true, m_state.clock));
}

void Tavola::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    fitToScreen(); // the frame is known once the window is on screen
    Form_Resize();
}

void Tavola::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}
