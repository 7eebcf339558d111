// A seeded monkey plays a few thousand random moves on the game window, in
// process and offscreen: keys sent to whatever has the focus, pastes into the
// answer box, clicks on labels, the picture and the buttons, the menu entries,
// new games, and a clock that runs many seconds between moves so that games
// reach and pass the end of their time. The boxes are answered by FakeDialogs
// (always No, so play goes on after the time is up).
//
// After every move the game must still be sound; at the end the window must
// still play, every game must have shown as many answers as were checked,
// no box may ever have opened over another, and the record files must be
// untouched.
//
// QUOTELLO_MONKEY_SEED picks another sequence of moves; the seed in use is
// printed with the summary.
#include "app/application.h"
#include "app/gamehost.h"
#include "app/label.h"
#include "app/tavola.h"
#include "fakedialogs.h"
#include "records/recordfiles.h"

#include <QtTest>
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

#include <map>
#include <memory>

namespace {

constexpr int kMoves = 4000;
constexpr quint32 kDefaultSeed = 20261206;

// Record files with bytes a player could have written: a score with a
// Windows line break, a name in the old Windows code page with markup.
const QByteArray kScoreBytes("150\r\n");
const QByteArray kHolderBytes("Nicol\xf2 <b>&amp;</b>\n");

// Texts a child might paste into the answer box.
const QStringList kPastes = {
    QStringLiteral("1e99"),        QStringLiteral("-0"),           QStringLiteral("99999"),
    QStringLiteral(" 3.5"),        QStringLiteral("<b>12</b>"),    QStringLiteral("\u0663"),
    QStringLiteral("\uff11\uff12"), QStringLiteral("\u00bd"),       QStringLiteral("12\n34"),
    QStringLiteral("&amp;"),       QStringLiteral("\t7"),          QStringLiteral("+5"),
    QStringLiteral("-32768"),      QStringLiteral("32767.5"),      QStringLiteral("1e-999999"),
    QStringLiteral("NaN"),         QStringLiteral("inf"),          QStringLiteral("0x1F"),
    QStringLiteral("\U0001F600"),  QStringLiteral("1,5"),          QStringLiteral("%1"),
    QStringLiteral("12e"),         QStringLiteral("-"),            QStringLiteral("."),
    QString(2000, u'9'),           QStringLiteral("2.5e1"),        QStringLiteral("<img src=x>"),
    QString(),                     QStringLiteral("\u202e42"),     QStringLiteral("0.5"),
};

const QStringList kNames = {
    QStringLiteral("Anna"),         QString(),                      QStringLiteral("<b>Leo</b> & co"),
    QStringLiteral("Nicolò \U0001F600"), QString(300, u'x'),        QStringLiteral("Riga\nnuova"),
};

struct Exercise
{
    int numerator = 0;
    int denominator = 0;
    int whole = 0;
};

// One game, as the trace tells it.
struct Game
{
    QString name;
    int exercises = 0;
    int right = 0;
    int wrong = 0;
    int beepsAtStart = 0;
    bool clockRanOut = false;
    Exercise exercise;
};

} // namespace

class MonkeyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomPlayKeepsTheGameSound();

private:
    Tavola *window() const { return m_host->window(); }
    QString recordPath(const char *name) const;
    void startFirstGame();
    void startNewGame();
    void move();
    void tick(int times);
    void keyToFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {});
    void waitForButtonsUp();
    void readTrace();
    void checkGameSound();
    void checkGameCounts(const Game &game);
    void finalChecks();
    QString randomPaste();
    QString recentMoves() const;
    void count(const char *kind) { ++m_counts[kind]; m_recent << QString::fromLatin1(kind); }

    QTemporaryDir m_data;
    QString m_trace;
    qint64 m_traceRead = 0;
    QString m_lastVerdict;
    QRandomGenerator m_rng;
    quint32 m_seed = kDefaultSeed;
    FakeDialogs m_dialogs;
    std::unique_ptr<GameHost> m_host;
    QList<Game> m_games;
    std::map<QString, int> m_counts;
    QStringList m_recent;
    int m_move = 0;
    int m_checksByDigits = 0;
    int m_checksOther = 0;
    QDateTime m_scoreModified;
};

void MonkeyTest::initTestCase()
{
    setUpApplication(*qApp);
    QVERIFY(m_data.isValid());
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    m_trace = m_data.filePath(QStringLiteral("readout.txt"));
    // Read by each window as it is made.
    qputenv("QUOTELLO_READOUT", m_trace.toLocal8Bit());

    QVERIFY(QDir().mkpath(m_data.filePath(QStringLiteral("Quotello"))));
    for (const auto &[name, bytes] : {std::pair{kRecordScoreFile, kScoreBytes},
                                      std::pair{kRecordHolderFile, kHolderBytes}}) {
        QFile file(recordPath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    m_scoreModified = QFileInfo(recordPath(kRecordScoreFile)).lastModified();

    bool ok = false;
    const quint32 seed = qEnvironmentVariable("QUOTELLO_MONKEY_SEED").toUInt(&ok);
    m_seed = ok ? seed : kDefaultSeed;
    m_rng.seed(m_seed);
}

void MonkeyTest::cleanupTestCase()
{
    m_host.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qunsetenv("QUOTELLO_READOUT");
}

QString MonkeyTest::recordPath(const char *name) const
{
    return m_data.filePath(QStringLiteral("Quotello/") + QString::fromLatin1(name));
}

QString MonkeyTest::recentMoves() const
{
    return QStringLiteral("seed %1, move %2; last moves: %3")
        .arg(m_seed)
        .arg(m_move)
        .arg(m_recent.mid(std::max<qsizetype>(0, m_recent.size() - 12)).join(QStringLiteral(", ")));
}

// The clock as the event loop would run it: only while its timer is on. The
// timer itself is slowed down so that only the monkey moves time.
void MonkeyTest::tick(int times)
{
    for (int i = 0; i < times; ++i) {
        Tavola *w = window();
        if (!w || !w->controls().Timer1->isActive())
            return;
        w->Timer1_Timer();
        ++m_counts["clock tick"];
    }
}

void MonkeyTest::startFirstGame()
{
    m_games.append(Game{});
    m_games.last().name = kNames[0];
    m_dialogs.names = {kNames[0]};
    m_host = std::make_unique<GameHost>(m_dialogs);
    m_host->start();
    QVERIFY(window());
    window()->controls().Timer1->setInterval(24 * 3600 * 1000);
    QVERIFY(QTest::qWaitForWindowActive(window()));
    readTrace();
}

void MonkeyTest::startNewGame()
{
    // The game that ends now must show what was checked in it.
    readTrace();
    checkGameCounts(m_games.last());
    if (QTest::currentTestFailed())
        return;

    const QString name = kNames[m_rng.bounded(int(kNames.size()))];
    m_dialogs.names = {name};
    QPointer<Tavola> old = window();
    old->controls().menuNew->trigger();
    count("new game");

    Game game;
    game.name = name;
    game.beepsAtStart = m_dialogs.beeps;
    m_games.append(game);

    Tavola *fresh = window();
    QVERIFY2(fresh && fresh != old, qPrintable(recentMoves()));
    fresh->controls().Timer1->setInterval(24 * 3600 * 1000);
    QCOMPARE(fresh->controls().lblnome1->caption(), name);
    QVERIFY(QTest::qWaitForWindowActive(fresh));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(old.isNull(), "the replaced window is still alive");
    readTrace();
}

void MonkeyTest::keyToFocus(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QWidget *target = QApplication::focusWidget();
    if (!target) {
        target = window();
        ++m_counts["(key to the window: nothing had the focus)"];
    }
    if (text.isNull())
        QTest::keyClick(target, key, modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
}

// Access keys click with a short animation: let it finish, so that every
// move is over before the next one.
void MonkeyTest::waitForButtonsUp()
{
    const Controls &c = window()->controls();
    QTRY_VERIFY_WITH_TIMEOUT(!c.cmdNext->isDown() && !c.cmdExit->isDown(), 5000);
}

QString MonkeyTest::randomPaste()
{
    if (m_rng.bounded(2) == 0)
        return kPastes[m_rng.bounded(int(kPastes.size()))];
    // Random text: mostly what numbers are made of, some of anything.
    static const QString pool = QStringLiteral("0123456789+-.eE \t,abcXYZ<>&;\n\u00e8\u0663\uff15");
    QString text;
    const int length = int(m_rng.bounded(12));
    for (int i = 0; i < length; ++i) {
        switch (m_rng.bounded(8)) {
        case 0:
            text += QChar(char16_t(m_rng.bounded(0x20, 0xD800))); // anything in the first plane
            break;
        case 1:
            text += QChar(char16_t(m_rng.bounded(0xD800, 0xE000))); // a lone surrogate
            break;
        default:
            text += pool[m_rng.bounded(int(pool.size()))];
        }
    }
    return text;
}

void MonkeyTest::move()
{
    Tavola *w = window();
    const Controls &c = w->controls();
    const int roll = int(m_rng.bounded(1000));

    if (roll < 280) {
        const char digit = char('0' + m_rng.bounded(10));
        keyToFocus(Qt::Key(Qt::Key_0 + (digit - '0')), Qt::NoModifier, QString(QChar::fromLatin1(digit)));
        count("digit");
    } else if (roll < 360) {
        static const QString letters = QStringLiteral("aeExz-+.,/ è€");
        const QChar letter = letters[m_rng.bounded(int(letters.size()))];
        const Qt::Key key = letter.isLetter() && letter.unicode() < 128
                                ? Qt::Key(Qt::Key_A + (letter.toUpper().unicode() - 'A'))
                                : Qt::Key_unknown;
        keyToFocus(key, Qt::NoModifier, QString(letter));
        count("letter or sign");
    } else if (roll < 510) {
        keyToFocus(m_rng.bounded(2) ? Qt::Key_Return : Qt::Key_Enter);
        count("Enter");
    } else if (roll < 540) {
        keyToFocus(Qt::Key_Escape);
        count("Escape");
    } else if (roll < 590) {
        keyToFocus(Qt::Key_Tab, m_rng.bounded(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
        count("Tab");
    } else if (roll < 650) {
        keyToFocus(Qt::Key_Backspace);
        count("Backspace");
    } else if (roll < 670) {
        keyToFocus(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        count("Space");
    } else if (roll < 750) {
        // The right answer, typed key by key into whatever has the focus,
        // after rubbing out what the box may hold, then Enter.
        const Exercise &e = m_games.last().exercise;
        const int expected = e.denominator ? e.whole * e.numerator / e.denominator : 0;
        for (int i = 0; i < 4; ++i)
            keyToFocus(Qt::Key_Backspace);
        for (QChar digit : QString::number(expected))
            keyToFocus(Qt::Key(Qt::Key_0 + (digit.unicode() - '0')), Qt::NoModifier, QString(digit));
        keyToFocus(Qt::Key_Return);
        count("right answer typed, then Enter");
    } else if (roll < 780) {
        keyToFocus(Qt::Key_N, Qt::AltModifier);
        waitForButtonsUp();
        count("Alt+N");
    } else if (roll < 800) {
        keyToFocus(Qt::Key_X, Qt::AltModifier);
        waitForButtonsUp();
        count("Alt+X");
    } else if (roll < 860) {
        // The box's context menu: a right click gives it the focus, Paste
        // inserts the clipboard.
        QGuiApplication::clipboard()->setText(randomPaste());
        c.txtAnswer->setFocus(Qt::MouseFocusReason);
        c.txtAnswer->paste();
        count("paste");
    } else if (roll < 920) {
        QList<QWidget *> targets;
        for (Label *label : c.txtAnswer->parentWidget()->findChildren<Label *>())
            targets << label;
        targets << w->findChild<QLabel *>(QStringLiteral("Image1"));
        QWidget *target = targets[m_rng.bounded(int(targets.size()))];
        const QPoint at(int(m_rng.bounded(std::max(1, target->width()))),
                        int(m_rng.bounded(std::max(1, target->height()))));
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
        count(target->objectName() == QStringLiteral("Image1") ? "click on the picture" : "click on a label");
    } else if (roll < 960) {
        QToolButton *button = m_rng.bounded(2) ? c.cmdNext : c.cmdExit;
        QTest::mouseClick(button, Qt::LeftButton);
        count(button == c.cmdNext ? "click on Nuovo calcolo" : "click on Exit");
    } else if (roll < 980) {
        w->findChild<QAction *>(QStringLiteral("Tmer(1)"))->trigger();
        count("menu Tmer(1)");
    } else if (roll < 984) {
        startNewGame();
        return;
    } else {
        // A long wait: minutes pass between two moves.
        tick(int(m_rng.bounded(100, 500)));
        count("long wait");
    }
    // A few seconds pass between moves.
    tick(int(m_rng.bounded(6)));
    QCoreApplication::processEvents();
}

// Follows the trace of exercises and verdicts, checking each verdict against
// the exercise it answers.
void MonkeyTest::readTrace()
{
    QFile file(m_trace);
    if (!file.open(QIODevice::ReadOnly))
        return; // nothing written yet
    QVERIFY(file.seek(m_traceRead));
    const QByteArray added = file.readAll();
    const qsizetype complete = added.lastIndexOf('\n') + 1;
    m_traceRead += complete;

    static const QRegularExpression exerciseLine(QStringLiteral("^exercise (\\d+)/(\\d+) of (\\d+)$"));
    static const QRegularExpression verdictLine(
        QStringLiteral("^verdict (Esatto, è incredibile!!!|Sbagliato!! (-?\\d+)) \\| (\\d+) (\\d+) (\\d+)$"));
    const QStringList lines = QString::fromUtf8(added.left(complete)).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        Game &game = m_games.last();
        if (const auto m = exerciseLine.match(line); m.hasMatch()) {
            game.exercise = {m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()};
            ++game.exercises;
            QVERIFY2(game.exercise.denominator >= 2 && game.exercise.denominator <= 10, qPrintable(line));
            QVERIFY2(game.exercise.whole % game.exercise.denominator == 0, qPrintable(line));
            continue;
        }
        const auto m = verdictLine.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(QStringLiteral("unexpected trace line: ") + line));
        QVERIFY2(game.exercises > 0, "an answer checked before any exercise");
        const Exercise &e = game.exercise;
        const int expected = e.whole * e.numerator / e.denominator;
        const bool right = m.captured(2).isNull();
        right ? ++game.right : ++game.wrong;
        if (!right)
            QCOMPARE(m.captured(2).toInt(), expected);
        m_lastVerdict = line;

        // The check this move made: judge the box's text by hand when it is
        // plain digits, as typed (an empty box is 0).
        if (i == lines.size() - 1) {
            const QString typed = window()->controls().txtAnswer->text();
            static const QRegularExpression digits(QStringLiteral("^[0-9]{0,4}$"));
            if (digits.match(typed).hasMatch()) {
                const int value = typed.isEmpty() ? 0 : typed.toInt();
                QVERIFY2(right == (value == expected),
                         qPrintable(QStringLiteral("box \"%1\" judged %2 for %3/%4 of %5; %6")
                                        .arg(typed, right ? "right" : "wrong")
                                        .arg(e.numerator).arg(e.denominator).arg(e.whole)
                                        .arg(recentMoves())));
                ++m_checksByDigits;
            } else {
                ++m_checksOther;
            }
        }
    }
}

void MonkeyTest::checkGameCounts(const Game &game)
{
    const Controls &c = window()->controls();
    const QString where = QStringLiteral("game %1; %2").arg(m_games.size()).arg(recentMoves());
    QVERIFY2(c.lblScore->caption() == QString::number(game.right), qPrintable(where));
    QVERIFY2(c.lblScore1->caption() == QString::number(game.wrong), qPrintable(where));
    QVERIFY2(c.lblScore2->caption() == QString::number(game.right + game.wrong), qPrintable(where));
}

// What must hold after every move.
void MonkeyTest::checkGameSound()
{
    Tavola *w = window();
    QVERIFY2(w && w->isVisible() && !w->hasEnded(), qPrintable(recentMoves()));
    QVERIFY2(m_dialogs.endings == 0, qPrintable(recentMoves()));
    QVERIFY2(m_dialogs.deepest <= 1,
             qPrintable(QStringLiteral("a box opened over another; ") + recentMoves()));
    QVERIFY2(m_dialogs.openNow == 0, qPrintable(recentMoves()));

    const Controls &c = w->controls();
    const Countdown &clock = w->state().clock;
    // The clock shows the seconds it counts.
    const QStringList hms = c.lblconto->caption().split(u':');
    QCOMPARE(hms.size(), 3);
    const int shown = hms[0].toInt() * 3600 + hms[1].toInt() * 60 + hms[2].toInt();
    QVERIFY2(shown == clock.SecondsLeft,
             qPrintable(QStringLiteral("clock shows %1 with %2 s left; ")
                            .arg(c.lblconto->caption())
                            .arg(clock.SecondsLeft)
                        + recentMoves()));
    QVERIFY(clock.SecondsLeft >= 0 && clock.SecondsLeft <= 900);

    // The time runs out once a game: the two questions and the message, then
    // the clock stops for good and play goes on.
    Game &game = m_games.last();
    const int beeps = m_dialogs.beeps - game.beepsAtStart;
    QVERIFY2(beeps <= 1, qPrintable(recentMoves()));
    if (beeps == 1 && !game.clockRanOut) {
        game.clockRanOut = true;
        ++m_counts["(games whose time ran out)"];
        const QStringList kinds = m_dialogs.kinds().mid(m_dialogs.shown.size() - 3);
        QCOMPARE(kinds, (QStringList{"confirm", "inform", "confirm"}));
        QCOMPARE(m_dialogs.shown[m_dialogs.shown.size() - 2].text, QStringLiteral("Tempo scaduto"));
    }
    if (game.clockRanOut) {
        QVERIFY(!c.Timer1->isActive());
        QCOMPARE(c.lblconto->caption(), QStringLiteral("00:00:00"));
    } else {
        QVERIFY2(c.Timer1->isActive(), qPrintable(recentMoves()));
    }

    // The record shows what its files hold, and no box ever complained.
    QCOMPARE(c.lblpunti->caption(), QStringLiteral("150\r\n"));
    QCOMPARE(c.lblnome->caption(), QStringLiteral("Nicolò <b>&amp;</b>\n"));
    QVERIFY(!m_dialogs.kinds().contains(QStringLiteral("warn")));
    QVERIFY(c.txtAnswer->text().size() <= 4);
}

void MonkeyTest::finalChecks()
{
    Tavola *w = window();
    const Controls &c = w->controls();
    readTrace();
    checkGameCounts(m_games.last());
    if (QTest::currentTestFailed())
        return;

    // The window still plays: a fresh exercise, answered right.
    QVERIFY(QTest::qWaitForWindowActive(w));
    if (!c.cmdNext->isEnabled()) {
        c.txtAnswer->setFocus();
        QTest::keyClick(c.txtAnswer, Qt::Key_Return); // a check, counted like any other
    }
    QVERIFY(c.cmdNext->isEnabled());
    const int exercisesBefore = m_games.last().exercises;
    QTest::mouseClick(c.cmdNext, Qt::LeftButton);
    readTrace();
    QCOMPARE(m_games.last().exercises, exercisesBefore + 1);
    QVERIFY(!c.cmdNext->isEnabled());
    QVERIFY(c.txtAnswer->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), c.txtAnswer);

    const Exercise &e = m_games.last().exercise;
    const int rightBefore = m_games.last().right;
    QTest::keyClicks(QApplication::focusWidget(), QString::number(e.whole * e.numerator / e.denominator));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    readTrace();
    QCOMPARE(m_games.last().right, rightBefore + 1);
    QVERIFY(m_lastVerdict.startsWith(QStringLiteral("verdict Esatto")));
    checkGameCounts(m_games.last());
    QCOMPARE(w->state().RightCount, m_games.last().right);

    // One box at a time, all game long.
    QCOMPARE(m_dialogs.deepest, 1);
    QCOMPARE(m_dialogs.endings, 0);

    // One window left; the replaced ones are gone.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int windows = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        windows += qobject_cast<Tavola *>(top) != nullptr;
    QCOMPARE(windows, 1);

    // The record files are as they were, and nothing else appeared beside them.
    for (const auto &[name, bytes] : {std::pair{kRecordScoreFile, kScoreBytes},
                                      std::pair{kRecordHolderFile, kHolderBytes}}) {
        QFile file(recordPath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }
    QCOMPARE(QFileInfo(recordPath(kRecordScoreFile)).lastModified(), m_scoreModified);
    const QDir records(m_data.filePath(QStringLiteral("Quotello")));
    QCOMPARE(records.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{QString::fromLatin1(kRecordScoreFile), QString::fromLatin1(kRecordHolderFile)}));
}

void MonkeyTest::randomPlayKeepsTheGameSound()
{
    QElapsedTimer elapsed;
    elapsed.start();

    // The event loop runs timers while a box is open: so does the monkey.
    m_dialogs.whileOpen = [this](const FakeDialogs::Box &) {
        const int ticks = int(m_rng.bounded(3));
        for (int i = 0; i < ticks; ++i) {
            Tavola *w = window();
            if (w && w->controls().Timer1->isActive()) {
                w->Timer1_Timer();
                ++m_counts["clock tick while a box is open"];
            }
        }
    };

    startFirstGame();
    if (QTest::currentTestFailed())
        return;
    for (m_move = 1; m_move <= kMoves; ++m_move) {
        move();
        if (QTest::currentTestFailed())
            return;
        readTrace();
        if (QTest::currentTestFailed())
            return;
        checkGameSound();
        if (QTest::currentTestFailed())
            return;
        checkGameCounts(m_games.last());
        if (QTest::currentTestFailed())
            return;
    }
    finalChecks();
    if (QTest::currentTestFailed())
        return;

    int right = 0, wrong = 0;
    for (const Game &game : m_games) {
        right += game.right;
        wrong += game.wrong;
    }
    QString summary = QStringLiteral("seed %1: %2 moves in %3 games, %4 s; answers checked: %5 right, %6 wrong "
                                     "(%7 judged again from typed digits, %8 from other text)\n")
                          .arg(m_seed).arg(kMoves).arg(m_games.size())
                          .arg(double(elapsed.elapsed()) / 1000.0, 0, 'f', 1)
                          .arg(right).arg(wrong).arg(m_checksByDigits).arg(m_checksOther);
    for (const auto &[kind, n] : m_counts)
        summary += QStringLiteral("  %1: %2\n").arg(kind).arg(n);
    qInfo().noquote() << summary;

    // The monkey did play: every kind of move came up, and games both ran
    // out of time and were answered.
    QVERIFY(m_counts["(games whose time ran out)"] >= 2);
    QVERIFY(m_counts["new game"] >= 3);
    QVERIFY(right >= 20 && wrong >= 20);
    QVERIFY(m_counts["paste"] > 0 && m_counts["Alt+N"] > 0 && m_counts["Alt+X"] > 0);
}

QTEST_MAIN(MonkeyTest)
#include "test_monkey.moc"
