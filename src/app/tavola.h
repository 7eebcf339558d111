#pragma once

#include "exercises/rng.h"
#include "gamestate.h"
#include "layout.h"
#include "readout.h"
#include "records/recordfiles.h"

#include <QMainWindow>

#include <functional>

class Dialogs;
class QTimer;

// The game window. It owns the state of one game and wires the exercises,
// the clock and the record files to the controls of its layout.
class Tavola : public QMainWindow
{
    Q_OBJECT

public:
    // newGame is what "Nuovo gioco" asks for: a fresh window in place of this one.
    explicit Tavola(Dialogs &dialogs, std::function<void()> newGame = {});

    // Builds the controls from the layout, once. Form_Load does it after the
    // greeting; a window shown without a start-up builds them as it appears.
    void buildWindow();

    // Start-up: the name prompt, the greeting, the clock and the record.
    // Runs before the window is first shown.
    void Form_Load();
    // Poses the first exercise, once the window is first shown.
    void Form_Activate();
    void Form_Resize();

    void cmdNext_Click();
    void cmdExit_Click();
    void new_Click();
    void Timer1_Timer();
    // The answer box's key filter; KeyAscii 0 drops the key.
    void txtAnswer_KeyPress(int &KeyAscii);

    void StartCountdown();
    void ResetDiagrams();
    void ShowDiagram(int array, int d, int n);

    // The record folder, and the whole text of a record file or why it
    // could not be read.
    QString GetSystemDir();
    RecordText Leggifiletxt(const QString &nomefile);

    const Controls &controls() const { return m_controls; }
    GameState &state() { return m_state; }
    Rng &rng() { return m_rng; }
    // True once the player has chosen to leave: nothing more happens.
    bool hasEnded() const { return m_ended; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool answerBoxKeyPress(class QKeyEvent *event);
    void checkAnswer();
    void ShowTimeInCaption();
    void showClock();
    void showRecord(Label *label, const QString &fileName, const QString &what);
    void reportRecordProblems();
    void describeForScreenReaders();

    // Runs one of the game's modal boxes, keeping count of those open.
    template <typename Box>
    auto withBox(Box box);

    Dialogs &m_dialogs;
    std::function<void()> m_newGame;
    Controls m_controls;
    GameState m_state;
    Rng m_rng;
    QStringList m_recordProblems;
    Readout m_readout;
    int m_openBoxes = 0;
    bool m_activated = false;
    bool m_ended = false;
};
