// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamehost.h"

#include "tavola.h"

GameHost::GameHost(Dialogs &dialogs) : m_dialogs(dialogs) {}

GameHost::~GameHost()
{
    delete m_window;
}

Tavola *GameHost::window() const
{
    return m_window;
}

void GameHost::start(QWidget *previous)
{
    auto *window = new Tavola(m_dialogs, [this] { replaceWindow(); }, previous);
    m_window = window;
    window->Form_Load();
    if (!window->hasEnded())
        window->showMaximized();
}

void GameHost::replaceWindow()
{
    // The old game stays on screen, its clock stopped, under the new game's
    // name prompt, until the new window takes its place: a second click of
    // the player's lands on it, not on another program that would take the
    // focus from the prompt. The old window is still inside its menu
    // handler: the event loop deletes it, with its clock, once that is done.
    Tavola *old = m_window;
    m_window = nullptr;
    old->setEnabled(false); // nor does it take the focus between the boxes
    start(old);
    old->hide();
    old->deleteLater();
}
