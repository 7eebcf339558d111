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

void GameHost::start()
{
    auto *window = new Tavola(m_dialogs, [this] { replaceWindow(); });
    m_window = window;
    window->Form_Load();
    if (!window->hasEnded())
        window->showMaximized();
}

void GameHost::replaceWindow()
{
    // The old window is still inside its menu handler: hide it now and let
    // the event loop delete it, with its clock, once the handler is done.
    Tavola *old = m_window;
    old->hide();
    old->deleteLater();
    m_window = nullptr;
    start();
}
