// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

// Everything the game asks of the desktop beyond its own window: modal boxes,
// the beep and ending the program. The game talks to this interface so that
// tests can script the player's answers.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A text-input box; the empty text when cancelled.
    virtual QString askText(QWidget *parent, const QString &prompt) = 0;

    // A box with only OK and no icon. An empty title shows the program's name.
    virtual void inform(QWidget *parent, const QString &text, const QString &title = {}) = 0;

    // A box with only OK and a warning icon, titled with the program's name.
    virtual void warn(QWidget *parent, const QString &text) = 0;

    // A question box with Yes and No, No being the default. True on Yes.
    virtual bool confirm(QWidget *parent, const QString &text, const QString &title) = 0;

    virtual void beep() = 0;

    // Ends the program with exit status 0 once the current handler returns;
    // callers return straight away.
    virtual void endProgram() = 0;
};

// The real boxes, from Qt.
class QtDialogs final : public Dialogs
{
public:
    QString askText(QWidget *parent, const QString &prompt) override;
    void inform(QWidget *parent, const QString &text, const QString &title) override;
    void warn(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text, const QString &title) override;
    void beep() override;
    void endProgram() override;
};
