#include "tavola.h"

#include "clock/caption.h"
#include "dialogs.h"
#include "exercises/answer.h"
#include "exercises/diagram.h"
#include "exercises/generator.h"
#include "label.h"
#include "pictures.h"
#include "records/recordfiles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QTime>
#include <QTimer>
#include <QToolButton>

#include <cmath>

namespace {

const QString kClockAtZero = QStringLiteral("00:00:00");

float secondsSinceMidnight()
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

Tavola::Tavola(Dialogs &dialogs, std::function<void()> newGame)
    : m_dialogs(dialogs), m_newGame(std::move(newGame))
{
    setObjectName(QStringLiteral("Tavola"));
    setWindowTitle(QStringLiteral("Quotello"));
    // The clock exists from the start: the start-up stops it before the
    // controls are built.
    m_controls.Timer1 = new QTimer(this);
    m_controls.Timer1->setObjectName(QStringLiteral("Timer1"));
    m_controls.Timer1->setInterval(1000);
    connect(m_controls.Timer1, &QTimer::timeout, this, &Tavola::Timer1_Timer);
}

void Tavola::buildWindow()
{
    if (m_controls.txtAnswer)
        return;
    QTimer *clock = m_controls.Timer1;
    m_controls = buildLayout(*this);
    m_controls.Timer1 = clock;
    resize(Layout::px(Layout::kClientWidth),
           Layout::px(Layout::kClientHeight) + menuBar()->sizeHint().height());

    connect(m_controls.cmdNext, &QToolButton::clicked, this, &Tavola::cmdNext_Click);
    connect(m_controls.cmdExit, &QToolButton::clicked, this, &Tavola::cmdExit_Click);
    connect(m_controls.menuNew, &QAction::triggered, this, &Tavola::new_Click);

    // The laughing face shows while the button is held down; the neutral one
    // comes with the disabled state of its icon.
    QToolButton *next = m_controls.cmdNext;
    const QIcon face = Pictures::picture("face-smile", "face-neutral");
    next->setIcon(face);
    const QIcon laughing = Pictures::picture("face-laugh");
    connect(next, &QToolButton::pressed, next, [next, laughing] { next->setIcon(laughing); });
    connect(next, &QToolButton::released, next, [next, face] { next->setIcon(face); });

    m_controls.txtAnswer->setAccessibleName(QStringLiteral("Risultato"));
    m_controls.cmdNext->setAccessibleName(QStringLiteral("Nuovo calcolo"));
    m_controls.cmdExit->setAccessibleName(QStringLiteral("Esci"));
    describeForScreenReaders();

    m_controls.txtAnswer->installEventFilter(this);
    m_controls.cmdNext->installEventFilter(this);
    m_controls.cmdExit->installEventFilter(this);
    m_controls.cmdExit->setFocus();
}

template <typename Box>
auto Tavola::withBox(Box box)
{
    ++m_openBoxes;
    struct Closed
    {
        int &count;
        ~Closed() { --count; }
    } closed{m_openBoxes};
    return box();
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
    m_controls.Timer1->stop();
    const QString name = withBox([&] { return m_dialogs.askText(this, QStringLiteral("Come ti chiami?")); });
    withBox([&] {
        m_dialogs.inform(this, u' ' + name + QStringLiteral(" vediamo se sei un vero campione  "));
    });
    // The window's controls are built only now, so that the name prompt is
    // on screen without waiting for them; the window is still hidden.
    buildWindow();
    m_controls.lblnome1->setCaption(name);

    StartCountdown();
    m_state.RightCount = 0;
    m_state.WrongCount = 0;

    m_state.WindowsDir = GetSystemDir();
    m_recordProblems.clear();
    showRecord(m_controls.lblpunti, QString::fromLatin1(kRecordScoreFile),
               QStringLiteral("il punteggio da battere"));
    showRecord(m_controls.lblnome, QString::fromLatin1(kRecordHolderFile),
               QStringLiteral("il nome di chi ha il record"));
    reportRecordProblems();

    m_state.clock.SecondsLeft = static_cast<std::int16_t>(std::nearbyint(m_state.clock.ClockSeconds + 900.0f));
    showClock();
    describeForScreenReaders();
}

void Tavola::showRecord(Label *label, const QString &fileName, const QString &what)
{
    const QString path = m_state.WindowsDir + fileName;
    QString problem = ensureRecordFile(path);
    if (problem.isEmpty()) {
        const RecordText record = Leggifiletxt(path);
        if (record.ok()) {
            label->setCaption(record.text);
            return;
        }
        problem = record.problem;
    }
    label->setCaption(QString());
    m_recordProblems << QStringLiteral("«%1» (%2): %3.").arg(fileName, what, problem);
}

void Tavola::reportRecordProblems()
{
    if (m_recordProblems.isEmpty())
        return;
    const QString text = QStringLiteral("Non riesco a usare il record da battere.\n\n")
                         + m_recordProblems.join(u'\n')
                         + QStringLiteral("\n\nI file si trovano nella cartella:\n")
                         + QDir::toNativeSeparators(m_state.WindowsDir)
                         + QStringLiteral("\n\nSi gioca lo stesso!");
    withBox([&] { m_dialogs.warn(this, text); });
}

QString Tavola::GetSystemDir()
{
    return recordDirectory();
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
    buildWindow();
    QMainWindow::showEvent(event);
    Form_Resize();
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

// ---- Exercises --------------------------------------------------------------

void Tavola::cmdNext_Click()
{
    m_controls.txtAnswer->clear();
    m_controls.lblMessage->setCaption(QString());

    const Exercise exercise = poseExercise(m_rng);
    ResetDiagrams();
    m_state.ExerciseKind = exercise.kind;
    m_state.Denominator = exercise.denominator;
    ShowDiagram(exerciseKindInfo(exercise.kind).pieceArray, exercise.denominator, exercise.numerator);
    m_controls.lblnum1->setCaption(QString::number(exercise.whole));
    m_controls.lblnum2->setCaption(QString::number(exercise.numerator));
    m_controls.lbldeno->setCaption(QString::number(exercise.denominator));
    m_state.ExpectedAnswer = exercise.expectedAnswer;

    m_controls.cmdNext->setEnabled(false);
    m_controls.txtAnswer->setFocus();
    describeForScreenReaders();
    m_readout.write(QStringLiteral("exercise %1/%2 of %3")
                        .arg(m_controls.lblnum2->caption(), m_controls.lbldeno->caption(),
                             m_controls.lblnum1->caption()));
}

void Tavola::ResetDiagrams()
{
    for (const Layout::PieceArray &array : Layout::pieceArrays()) {
        for (int i = 1; i <= array.count; ++i) {
            Piece *piece = m_controls.pieces[static_cast<std::size_t>(array.number)][static_cast<std::size_t>(i)];
            piece->setFillColor(DiagramColors::unshaded);
            piece->hide();
        }
    }
}

void Tavola::ShowDiagram(int array, int d, int n)
{
    const Layout::PieceArray &layout = Layout::pieceArray(array);
    const auto &pieces = m_controls.pieces[static_cast<std::size_t>(array)];
    for (int i = 1; i <= d; ++i) {
        Piece *piece = pieces[static_cast<std::size_t>(i)];
        piece->show();
        if (layout.shownBorder != Layout::kDefaultColour)
            piece->setBorderColor(resolveColour(layout.shownBorder, QApplication::palette()));
    }
    for (int i = 1; i <= n; ++i)
        pieces[static_cast<std::size_t>(i)]->setFillColor(DiagramColors::shaded);
}

// ---- Answers ----------------------------------------------------------------

bool Tavola::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_controls.txtAnswer)
        return answerBoxKeyPress(key);
    // A focused button takes Enter as a click, as Space already does.
    if (isEnterKey(key) && !key->isAutoRepeat()) {
        if (auto *button = qobject_cast<QToolButton *>(watched)) {
            button->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Tavola::answerBoxKeyPress(QKeyEvent *event)
{
    int code;
    if (isEnterKey(event)) {
        code = 13;
    } else {
        // Keys that type nothing (arrows, Home, End, Delete, Tab) keep
        // their usual meaning in the box.
        const QString text = event->text();
        if (text.isEmpty() || event->key() == Qt::Key_Delete || event->key() == Qt::Key_Tab
            || event->key() == Qt::Key_Backtab)
            return false;
        code = text.size() == 1 ? text.at(0).unicode() : 0;
    }

    // The next-exercise button is the window's default button: while it is
    // enabled, Enter goes to it.
    if (code == 13 && m_controls.cmdNext->isEnabled()) {
        if (!event->isAutoRepeat())
            m_controls.cmdNext->click();
        return true;
    }

    int KeyAscii = code;
    txtAnswer_KeyPress(KeyAscii);
    return KeyAscii == 0 || KeyAscii == 13;
}

void Tavola::txtAnswer_KeyPress(int &KeyAscii)
{
    switch (classifyAnswerKey(KeyAscii)) {
    case AnswerKey::Accept:
        break;
    case AnswerKey::Check:
        checkAnswer();
        break;
    case AnswerKey::Drop:
        KeyAscii = 0;
        break;
    }
}

void Tavola::checkAnswer()
{
    const std::optional<std::int16_t> answer = readAnswer(m_controls.txtAnswer->text());
    const bool right = answer && *answer == m_state.ExpectedAnswer;

    QPalette palette = m_controls.lblMessage->palette();
    if (right) {
        m_state.RightCount = countedOnce(m_state.RightCount);
        palette.setColor(QPalette::WindowText, Qt::blue);
        m_controls.lblMessage->setPalette(palette);
        m_controls.lblMessage->setCaption(rightVerdict());
    } else {
        m_state.WrongCount = countedOnce(m_state.WrongCount);
        palette.setColor(QPalette::WindowText, Qt::red);
        m_controls.lblMessage->setPalette(palette);
        m_controls.lblMessage->setCaption(wrongVerdict(m_state.ExpectedAnswer));
        m_controls.lblScore1->setCaption(QString::number(m_state.WrongCount));
    }
    m_controls.lblScore->setCaption(QString::number(m_state.RightCount));
    const int total = int{m_state.RightCount} + int{m_state.WrongCount};
    m_controls.lblScore2->setCaption(QString::number(total));

    m_controls.cmdNext->setEnabled(true);
    m_controls.cmdNext->setFocus();
    describeForScreenReaders();
    m_readout.write(QStringLiteral("verdict %1 | %2 %3 %4")
                        .arg(m_controls.lblMessage->caption(), m_controls.lblScore->caption(),
                             m_controls.lblScore1->caption(), m_controls.lblScore2->caption()));
}

// What a screen reader says for the labels whose captions alone would be
// bare numbers.
void Tavola::describeForScreenReaders()
{
    const Controls &c = m_controls;
    const QString exercise = spokenExercise(c.lblnum2->caption().toInt(), c.lbldeno->caption().toInt(),
                                            c.lblnum1->caption().toInt());
    c.txtAnswer->setAccessibleDescription(exercise);
    for (Label *part : {c.lblnum2, c.lbldeno, c.lblnum1})
        part->setAccessibleName(exercise);
    c.lblScore->setAccessibleName(QStringLiteral("Risposte esatte: ") + c.lblScore->caption());
    c.lblScore1->setAccessibleName(QStringLiteral("Risposte errate: ") + c.lblScore1->caption());
    c.lblScore2->setAccessibleName(QStringLiteral("Risposte totali: ") + c.lblScore2->caption());
    c.lblnome1->setAccessibleName(QStringLiteral("Sfidante: ") + c.lblnome1->caption());
    c.lblpunti->setAccessibleName(QStringLiteral("Record da battere: ") + c.lblpunti->caption().trimmed());
    c.lblnome->setAccessibleName(QStringLiteral("Record di: ") + c.lblnome->caption().trimmed());
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

    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    withBox([&] {
        m_dialogs.inform(this, QStringLiteral("Ciao a presto. Ore ") + QString::number(m_state.clock.SecondsLeft),
                         QStringLiteral("Data ") + today);
    });
    m_ended = true;
    m_controls.Timer1->stop();
    m_dialogs.endProgram();
}

void Tavola::new_Click()
{
    if (m_ended || !m_newGame)
        return;
    m_controls.Timer1->stop();
    m_newGame();
}

void Tavola::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_ended)
        return;
    m_ended = true;
    m_controls.Timer1->stop();
    m_dialogs.endProgram();
}

// ---- Clock ------------------------------------------------------------------

void Tavola::StartCountdown()
{
    m_controls.Timer1->start();
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
        m_controls.Timer1->stop();
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

// ---- Caption ----------------------------------------------------------------

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
    Form_Resize();
}

void Tavola::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}
