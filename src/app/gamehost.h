// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

class Dialogs;
class QWidget;
class Tavola;

// Keeps the one game window on screen, and replaces it with a fresh one when
// the player asks for a new game.
class GameHost : public QObject
{
    Q_OBJECT

public:
    explicit GameHost(Dialogs &dialogs);
    ~GameHost() override;

    // Loads a game window and shows it; the start-up's boxes sit over
    // `previous` while it is on screen.
    void start(QWidget *previous = nullptr);

    Tavola *window() const;

private:
    void replaceWindow();

    Dialogs &m_dialogs;
    QPointer<Tavola> m_window;
};
