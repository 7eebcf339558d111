// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/application.h"
#include "app/dialogs.h"
#include "app/gamehost.h"
#include "app/label.h"
#include "app/tavola.h"

#include <QtTest>
#include <QtWidgets>

// Boxes answered by the test's script instead of a player, each logged.
struct FakeDialogs final : Dialogs
{
    struct Box { QString kind, text, title; }; // kind: "ask", "inform", "warn" or "confirm"
    QList<Box> shown;
    QStringList names;         // answers to the name prompts, in order; then cancelled
    QList<bool> confirmations; // answers to Yes/No boxes, in order; then No
    int beeps = 0, endings = 0, open = 0, deepest = 0;
    std::function<void()> whileOpen; // runs while each box is open, as the event loop runs timers

    void show(const Box &box)
    {
        shown << box;
        deepest = std::max(deepest, ++open);
        if (whileOpen)
            whileOpen();
        --open;
    }
    QString askText(QWidget *, const QString &prompt) override
    {
        show({"ask", prompt, {}});
        return names.isEmpty() ? QString() : names.takeFirst();
    }
    void inform(QWidget *, const QString &text, const QString &title) override { show({"inform", text, title}); }
    void warn(QWidget *, const QString &text) override { show({"warn", text, {}}); }
    bool confirm(QWidget *, const QString &text, const QString &title) override
    {
        show({"confirm", text, title});
        return !confirmations.isEmpty() && confirmations.takeFirst();
    }
    void beep() override { ++beeps; }
    void endProgram() override { ++endings; }

    QStringList seen() const // the boxes shown: each as its kind, or as its text where it only informs
    {
        QStringList list;
        for (const Box &box : shown)
            list << (box.kind == "inform" ? box.text : box.kind);
        return list;
    }
};

// A game started as the program starts one, its boxes scripted, its record files in a
// scratch folder; read through its controls' names, as a player reads the screen.
struct Game
{
    FakeDialogs dialogs;
    QTemporaryDir data;
    GameHost host{dialogs};

    Game()
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", data.filePath("etc").toLocal8Bit()); // no record from this machine
        QDir(recordDir()).removeRecursively(); // Windows shares one folder
    }
    ~Game() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    Tavola *start() { return host.start(), window(); }
    Tavola *window() const { return host.window(); }
    template <typename T = QWidget>
    T *control(const QString &name) const { return window()->findChild<T *>(name); }
    QString captions(const QStringList &names) const
    {
        QStringList texts;
        for (const QString &name : names) // as set, before any shortening for its box
            texts << control<Label>(name)->caption();
        return texts.join(u' ');
    }
    QString caption(const QString &name) const { return captions({name}); }
    // N × n / d, read off the screen.
    int answer() const { return caption("lblnum1").toInt() * caption("lblnum2").toInt() / caption("lbldeno").toInt(); }

    // Ticks of the one-second clock, as the event loop delivers them.
    void tick(int times = 1) const
    {
        auto *timer = control<QTimer>("Timer1");
        for (int i = 0; i < times && timer->isActive(); ++i) {
            QTimerEvent event(timer->timerId());
            QCoreApplication::sendEvent(timer, &event);
        }
    }

#ifdef Q_OS_WIN // one folder for every user
    QString recordDir() const { return QDir::fromNativeSeparators(qEnvironmentVariable("ProgramData")) + "/Quotello/"; }
#else
    QString recordDir() const { return data.filePath("Quotello/"); }
#endif
    QString recordPath(const char *name) const { return recordDir() + name; }
    void writeRecord(const char *name, const QByteArray &bytes) const
    {
        QFile file(recordPath(name));
        QVERIFY(QDir().mkpath(recordDir()) && file.open(QIODevice::WriteOnly) && file.write(bytes) > -1);
    }
    QByteArray recordBytes(const char *name) const
    {
        QFile file(recordPath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    }
};
