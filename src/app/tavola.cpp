// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tavola.h"

#include "dialogs.h"
#include "facebutton.h"
#include "greeting.h"
#include "label.h"

#include <QCloseEvent>
#include <QDate>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTime>
#include <QTimer>

#include <cmath>

namespace {

float secondsSinceMidnight()
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

} // namespace

Tavola::Tavola(Dialogs &dialogs, std::function<void()> newGame, QWidget *previous)
    : m_dialogs(dialogs), m_newGame(std::move(newGame)), m_previous(previous), m_Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("Tavola"));
    setWindowTitle(QStringLiteral("Quotello"));
    // The clock exists from the start: the start-up stops it before the
    // controls are built.
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(1000);
    connect(m_Timer1, &QTimer::timeout, this, &Tavola::Timer1_Timer);
}

void Tavola::buildWindow()
{
    m_controls = buildLayout(*this);
    fitToScreen();

    connect(m_controls.cmdNext, &QToolButton::clicked, this, &Tavola::cmdNext_Click);
    connect(m_controls.cmdExit, &QToolButton::clicked, this, &Tavola::cmdExit_Click);
    connect(m_controls.menuNew, &QAction::triggered, this, &Tavola::new_Click);

    m_controls.txtAnswer->installEventFilter(this);
    m_controls.cmdNext->installEventFilter(this);
    m_controls.cmdExit->installEventFilter(this);
    m_controls.cmdExit->setFocus();
}

// The whole layout, shown smaller where the screen has no room for it: the
// room is what the screen leaves free, less the window's frame (known once
// the window is on screen) and its menu bar.
void Tavola::fitToScreen()
{
    if (!m_controls.surface || !screen())
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    const int menu = menuBar()->sizeHint().height();
    const double scale = fittingScale(screen()->availableGeometry().size() - frame - QSize(0, menu));
    if (scale == m_scale && devicePixelRatioF() == m_pixelRatio)
        return;
    m_scale = scale;
    m_pixelRatio = devicePixelRatioF();
    placeLayout(m_controls, scale);
    if (!isMaximized())
        resize(Layout::px(Layout::kClientWidth, scale), Layout::px(Layout::kClientHeight, scale) + menu);
}

bool Tavola::event(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal) // another screen, or its scale changed
        fitToScreen();
    return QMainWindow::event(event);
}

// ---- Start-up ---------------------------------------------------------------

void Tavola::Form_Load()
{
    m_rng.reseedFromTimeOfDay(secondsSinceMidnight());
    m_state.RightCount = 0;
    m_state.WrongCount = 0;
    m_rng.reseedFromTimeOfDay(secondsSinceMidnight());
    m_state.RightCount = 0;
    m_state.WrongCount = 0;

    // The fifteen minutes begin only once the player has been greeted.
    m_Timer1->stop();
    const QString name = withBox([&] { return m_dialogs.askText(startUpOwner(), QStringLiteral("Come ti chiami?")); });
    withBox([&] { m_dialogs.inform(startUpOwner(), greeting(name, screen())); });
    // The window's controls are built only now, so that the name prompt is
    // on screen without waiting for them; the window is still hidden.
    buildWindow();
    m_controls.lblnome1->setCaption(name);

    StartCountdown();
    m_state.RightCount = 0;
    m_state.WrongCount = 0;

    const RecordFolder folder = GetSystemDir();
    m_state.WindowsDir = folder.path;
    QList<RecordFileProblem> problems;
    showRecord(m_controls.lblpunti, folder, QString::fromLatin1(kRecordScoreFile), problems);
    showRecord(m_controls.lblnome, folder, QString::fromLatin1(kRecordHolderFile), problems);
    reportRecordProblems(recordWarning(folder, problems));

    m_state.clock.SecondsLeft = static_cast<std::int16_t>(std::nearbyint(m_state.clock.ClockSeconds + 900.0f));
    showClock();
    describeForScreenReaders();
}

// A record file is created when missing and shown whole; one that cannot be
// used leaves its label empty, and says why.
void Tavola::showRecord(Label *label, const RecordFolder &folder, const QString &fileName,
                        QList<RecordFileProblem> &problems)
{
    label->setCaption(QString());
    if (!folder.ok())
        return;
    const QString path = folder.path + fileName;
    QString problem = ensureRecordFile(path);
    if (problem.isEmpty()) {
        const RecordText record = Leggifiletxt(path);
        label->setCaption(record.text);
        problem = record.problem;
    }
    if (!problem.isEmpty())
        problems.append({fileName, problem});
}

void Tavola::reportRecordProblems(const QString &warning)
{
    if (warning.isEmpty())
        return;
    // The warning is the last box of the start-up: the fifteen minutes begin
    // once it is closed.
    m_Timer1->stop();
    withBox([&] { m_dialogs.warn(startUpOwner(), warning); });
    StartCountdown();
}

QWidget *Tavola::startUpOwner()
{
    return m_previous && m_previous->isVisible() ? m_previous.data() : this;
}

RecordFolder Tavola::GetSystemDir()
{
    return recordFolder();
}

RecordText Tavola::Leggifiletxt(const QString &nomefile)
{
    return readRecordFile(nomefile);
}

void Tavola::Form_Activate()
{
    cmdNext_Click();
}

void Tavola::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    Form_Resize();
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

// ---- Leaving and restarting --------------------------------------------------

void Tavola::cmdExit_Click()
{
    if (m_ended)
        return;
    const bool leave = withBox([&] {
        return m_dialogs.confirm(this, QStringLiteral("Vuoi veramente lasciarmi  ?"),
                                 QStringLiteral("Uscire dal programma"));
    });
    if (!leave || m_ended)
        return;

    // The game speaks Italian whatever the desktop's language: the date too.
    const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    withBox([&] {
        m_dialogs.inform(this, QStringLiteral("Ciao a presto. Ore ") + QString::number(m_state.clock.SecondsLeft),
                         QStringLiteral("Data ") + today);
    });
    endGame();
}

void Tavola::new_Click()
{
    if (m_ended || !m_newGame)
        return;
    m_Timer1->stop();
    m_newGame();
}

void Tavola::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_ended)
        endGame();
}

void Tavola::endGame()
{
    m_ended = true;
    m_Timer1->stop();
    m_dialogs.endProgram();
}
