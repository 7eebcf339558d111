// A seeded monkey plays a few thousand random moves on the game, in process
// and offscreen: keys to whatever has the focus, pastes into the answer box,
// clicks on labels, the picture and the buttons, the menu, new games, and a
// clock that runs many seconds between moves so that games reach and pass the
// end of their time. FakeDialogs answers every question No, so play goes on.
//
// Throughout: the game never ends, no box opens over another, the answer box
// never holds more than four characters. For every game: the counts shown
// equal the answers checked, read from the QUOTELLO_READOUT trace. At the end:
// the window still plays and the record files are byte for byte as they were.
// QUOTELLO_MONKEY_SEED picks another sequence of moves.
#include "app/application.h"
#include "app/gamehost.h"
#include "app/label.h"
#include "app/tavola.h"
#include "fakedialogs.h"
#include "records/recordfiles.h"

#include <QtTest>
#include <QClipboard>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

constexpr int kMoves = 4000;
const QByteArray kScoreBytes("150\r\n");
const QByteArray kHolderBytes("Nicol\xf2 <b>&amp;</b>\n");

const QStringList kPastes = {
    "1e99", "-0", "99999", " 3.5", "<b>12</b>", "\u0663", "\uff11\uff12", "12\n34", "+5", "-32768",
    "32767.5", "1e-999999", "NaN", "inf", "0x1F", "\U0001F600", "1,5", "12e", "-", ".", QString(2000, u'9'),
    "2.5e1", "<img src=x>", QString(), "\u202e42",
};
const QStringList kNames = {"Anna", QString(), "<b>Leo</b> & co", "Nicolò \U0001F600", QString(300, u'x')};

} // namespace

class MonkeyTest : public QObject
{
    Q_OBJECT

private slots:
    void randomPlayKeepsTheGameSound();

private:
    Tavola *window() const { return m_host->window(); }
    QString recordPath(const char *name) const { return m_data.filePath("Quotello/" + QLatin1String(name)); }
    void tick(int times);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {});
    void move();
    QStringList traceOfThisGame() const;
    void checkCountsOfThisGame();

    QTemporaryDir m_data;
    QString m_trace;
    qint64 m_gameStartsAt = 0; // where the current game's lines begin in the trace
    QRandomGenerator m_rng;
    FakeDialogs m_dialogs;
    std::unique_ptr<GameHost> m_host;
    int m_games = 1, m_pastes = 0, m_timeRanOut = 0;
};

// The clock as the event loop would run it, but as fast as the monkey likes.
void MonkeyTest::tick(int times)
{
    for (int i = 0; i < times && window()->controls().Timer1->isActive(); ++i)
        window()->Timer1_Timer();
}

void MonkeyTest::key(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window();
    QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
    // Access keys click with a short animation: let it finish.
    const Controls &c = window()->controls();
    QTRY_VERIFY_WITH_TIMEOUT(!c.cmdNext->isDown() && !c.cmdExit->isDown(), 5000);
}

QStringList MonkeyTest::traceOfThisGame() const
{
    QFile file(m_trace);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(m_gameStartsAt))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void MonkeyTest::checkCountsOfThisGame()
{
    int right = 0, wrong = 0;
    for (const QString &line : traceOfThisGame()) {
        right += line.startsWith(QLatin1String("verdict Esatto"));
        wrong += line.startsWith(QLatin1String("verdict Sbagliato"));
    }
    const Controls &c = window()->controls();
    QCOMPARE(c.lblScore->caption(), QString::number(right));
    QCOMPARE(c.lblScore1->caption(), QString::number(wrong));
    QCOMPARE(c.lblScore2->caption(), QString::number(right + wrong));
}

void MonkeyTest::move()
{
    const Controls &c = window()->controls();
    const int roll = int(m_rng.bounded(1000));
    if (roll < 300) {
        const int digit = int(m_rng.bounded(10));
        key(Qt::Key(Qt::Key_0 + digit), Qt::NoModifier, QString::number(digit));
    } else if (roll < 340) {
        // The right answer, over whatever the box holds, then Enter.
        const QString answer = QString::number(window()->state().ExpectedAnswer);
        for (int i = 0; i < 4; ++i)
            key(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        for (QChar digit : answer)
            key(Qt::Key(digit.unicode()), Qt::NoModifier, QString(digit));
        key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    } else if (roll < 380) {
        static const QString signs = QStringLiteral("aeExz-+.,/ è€");
        key(Qt::Key_unknown, Qt::NoModifier, QString(signs[m_rng.bounded(int(signs.size()))]));
    } else if (roll < 520) {
        key(m_rng.bounded(2) ? Qt::Key_Return : Qt::Key_Enter, Qt::NoModifier, QStringLiteral("\r"));
    } else if (roll < 640) {
        static const Qt::Key others[] = {Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backspace, Qt::Key_Space,
                                         Qt::Key_Delete, Qt::Key_Home};
        key(others[m_rng.bounded(int(std::size(others)))]);
    } else if (roll < 700) {
        key(m_rng.bounded(3) ? Qt::Key_N : Qt::Key_X, Qt::AltModifier);
    } else if (roll < 760) {
        // The box's context menu: the click gives it the focus, Paste inserts.
        QGuiApplication::clipboard()->setText(kPastes[m_rng.bounded(int(kPastes.size()))]);
        c.txtAnswer->setFocus(Qt::MouseFocusReason);
        c.txtAnswer->paste();
        ++m_pastes;
    } else if (roll < 900) {
        QList<QWidget *> targets{c.cmdNext, c.cmdExit, window()->findChild<QWidget *>("Image1")};
        for (Label *label : window()->findChildren<Label *>())
            targets << label;
        QWidget *target = targets[m_rng.bounded(int(targets.size()))];
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                          QPoint(int(m_rng.bounded(target->width())), int(m_rng.bounded(target->height()))));
    } else if (roll < 930) {
        window()->findChild<QAction *>(QStringLiteral("Tmer(1)"))->trigger();
    } else if (roll < 934) {
        checkCountsOfThisGame();
        QFile trace(m_trace);
        m_gameStartsAt = trace.exists() ? trace.size() : 0;
        const int beeps = m_dialogs.beeps;
        m_dialogs.names = {kNames[m_rng.bounded(int(kNames.size()))]};
        window()->controls().menuNew->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QTest::qWaitForWindowActive(window()));
        QCOMPARE(m_dialogs.beeps, beeps);
        ++m_games;
    } else {
        tick(int(m_rng.bounded(100, 500))); // minutes pass between two moves
    }
    tick(int(m_rng.bounded(6)));
    QCoreApplication::processEvents();
}

void MonkeyTest::randomPlayKeepsTheGameSound()
{
    setUpApplication(*qApp);
    QVERIFY(m_data.isValid());
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    m_trace = m_data.filePath(QStringLiteral("readout.txt"));
    qputenv("QUOTELLO_READOUT", m_trace.toLocal8Bit());
    QVERIFY(QDir().mkpath(m_data.filePath(QStringLiteral("Quotello"))));
    for (const auto &[name, bytes] : {std::pair{kRecordScoreFile, kScoreBytes}, std::pair{kRecordHolderFile, kHolderBytes}}) {
        QFile file(recordPath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    bool seeded = false;
    const quint32 seed = qEnvironmentVariable("QUOTELLO_MONKEY_SEED").toUInt(&seeded);
    m_rng.seed(seeded ? seed : 20261206);

    // The event loop runs timers while a box is open: so does the monkey.
    m_dialogs.whileOpen = [this](const FakeDialogs::Box &) { tick(int(m_rng.bounded(3))); };
    m_dialogs.names = {kNames[0]};
    m_host = std::make_unique<GameHost>(m_dialogs);
    m_host->start();
    QVERIFY(QTest::qWaitForWindowActive(window()));

    for (int move = 1; move <= kMoves; ++move) {
        const int beeps = m_dialogs.beeps;
        this->move();
        if (QTest::currentTestFailed())
            return;
        const QString where = QStringLiteral("move %1").arg(move);
        QVERIFY2(window()->isVisible() && m_dialogs.endings == 0, qPrintable(where));
        QVERIFY2(m_dialogs.deepest == 1 && m_dialogs.openNow == 0, qPrintable(where));
        QVERIFY2(window()->controls().txtAnswer->text().size() <= 4, qPrintable(where));
        if (m_dialogs.beeps > beeps) {
            ++m_timeRanOut;
            QCOMPARE(window()->controls().lblconto->caption(), QStringLiteral("00:00:00"));
            QVERIFY(!window()->controls().Timer1->isActive());
        }
    }
    checkCountsOfThisGame();

    // The window still plays: a fresh exercise, answered right.
    const Controls &c = window()->controls();
    if (!c.cmdNext->isEnabled()) {
        int enter = 13;
        window()->txtAnswer_KeyPress(enter);
    }
    c.cmdNext->click();
    c.txtAnswer->setFocus();
    QTest::keyClicks(c.txtAnswer, QString::number(window()->state().ExpectedAnswer));
    QTest::keyClick(c.txtAnswer, Qt::Key_Return);
    QVERIFY(traceOfThisGame().constLast().startsWith(QLatin1String("verdict Esatto")));
    checkCountsOfThisGame();

    for (const auto &[name, bytes] : {std::pair{kRecordScoreFile, kScoreBytes}, std::pair{kRecordHolderFile, kHolderBytes}}) {
        QFile file(recordPath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }
    QCOMPARE(QDir(m_data.filePath(QStringLiteral("Quotello"))).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);

    // The monkey did play: games ran out of time, new games came, pastes
    // went in, answers were right and wrong.
    QFile trace(m_trace);
    QVERIFY(trace.open(QIODevice::ReadOnly));
    const QByteArray lines = trace.readAll();
    const auto right = lines.count("verdict Esatto"), wrong = lines.count("verdict Sbagliato");
    qInfo("%d moves, %d games, %d ran out of time, %d pastes, %d right and %d wrong answers", kMoves, m_games,
          m_timeRanOut, m_pastes, int(right), int(wrong));
    QVERIFY(m_timeRanOut >= 2 && m_games >= 3 && m_pastes > 50 && right > 50 && wrong > 50);

    m_host.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(MonkeyTest)
#include "test_monkey.moc"
