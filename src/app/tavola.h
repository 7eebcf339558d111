// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exercises/rng.h"
#include "gamestate.h"
#include "layout.h"
#include "records/recordfiles.h"

#include <QMainWindow>
#include <QPointer>
#include <QScopeGuard>

#include <functional>

class Dialogs;
class QKeyEvent;
class QTimer;

// The game window. It owns the state of one game and wires the exercises,
// the clock and the record files to the controls of its layout. Its handlers
// live in one file per part of the game: start-up and leaving here, the
// exercises and the answer box, the keys, and the clock.
class Tavola : public QMainWindow
{
    Q_OBJECT

public:
    // newGame is what "Nuovo gioco" asks for: a fresh window in place of this
    // one. The start-up's boxes sit over `previous`, the old game's window,
    // while it is on screen.
    explicit Tavola(Dialogs &dialogs, std::function<void()> newGame = {}, QWidget *previous = nullptr);

    // Start-up: the name prompt, the greeting, the clock and the record.
    // Runs before the window is first shown.
    void Form_Load();

    // True once the player has chosen to leave: nothing more happens.
    bool hasEnded() const { return m_ended; }

    // The record folder, and the whole text of a record file; each with why
    // it cannot be used, if it cannot.
    RecordFolder GetSystemDir();
    RecordText Leggifiletxt(const QString &nomefile);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Start-up and leaving (tavola.cpp).
    void buildWindow();
    void fitToScreen();
    void Form_Activate();
    void cmdExit_Click();
    void new_Click();
    void endGame();
    void showRecord(Label *label, const RecordFolder &folder, const QString &fileName,
                    QList<RecordFileProblem> &problems);
    void reportRecordProblems(const QString &warning);
    QWidget *startUpOwner();

    // Exercises and answers (tavola_exercises.cpp).
    void cmdNext_Click();
    void ResetDiagrams();
    void ShowDiagram(int array, int d, int n);
    void checkAnswer();
    void describeForScreenReaders();

    // Keys (tavola_keys.cpp).
    bool answerBoxKeyPress(QKeyEvent *event);
    void txtAnswer_KeyPress(int &KeyAscii);

    // Clock and caption (tavola_clock.cpp).
    void StartCountdown();
    void Timer1_Timer();
    void showClock();
    void Form_Resize();
    void ShowTimeInCaption();

    // Runs one of the game's modal boxes, keeping count of those open.
    template <typename Box>
    auto withBox(Box box);

    Dialogs &m_dialogs;
    std::function<void()> m_newGame;
    QPointer<QWidget> m_previous;
    QTimer *const m_Timer1;
    Controls m_controls;
    GameState m_state;
    Rng m_rng;
    int m_openBoxes = 0;
    double m_scale = 0;   // of the layout, shown smaller on a small screen
    qreal m_pixelRatio = 0; // of the screen the pictures were drawn for
    bool m_activated = false;
    bool m_ended = false;
};

template <typename Box>
auto Tavola::withBox(Box box)
{
    ++m_openBoxes;
    const auto closed = qScopeGuard([this] { --m_openBoxes; });
    return box();
}
