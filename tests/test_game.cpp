// A whole game with the player's answers to its boxes scripted: start-up,
// the record, the clock and its end, leaving and starting again.
#include "app/application.h"
#include "app/gamehost.h"
#include "app/label.h"
#include "app/tavola.h"
#include "fakedialogs.h"
#include "records/recordfiles.h"

#include <QtTest>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <memory>

class GameTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpGreetsThePlayerBeforeTheClockRuns();
    void cancelledNamePromptGivesAnEmptyName();
    void recordIsShownAsTheFilesHoldIt();
    void unusableRecordFileIsReportedAndTheGameGoesOn();
    void exitAsksBeforeSayingGoodbye();
    void closingTheWindowEndsTheGameWithoutAQuestion();
    void endOfTime_data();
    void endOfTime();
    void ticksDuringABoxOnlyAdvanceTheClock();
    void captionShowsTheTimeLeftWhileMinimised();
    void newGameStartsAFreshWindow();

private:
    Tavola *startGame();
    void tick(int times);
    QByteArray fileBytes(const char *name) const;
    void writeRecord(const char *name, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_data;
    FakeDialogs m_dialogs;
    std::unique_ptr<GameHost> m_host;
};

void GameTest::initTestCase()
{
    setUpApplication(*qApp);
}

void GameTest::init()
{
    m_data = std::make_unique<QTemporaryDir>();
    QVERIFY(m_data->isValid());
    qputenv("XDG_DATA_HOME", m_data->path().toLocal8Bit());
    m_dialogs = FakeDialogs();
}

void GameTest::cleanup()
{
    m_host.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Tavola *GameTest::startGame()
{
    m_host = std::make_unique<GameHost>(m_dialogs);
    m_host->start();
    return m_host->window();
}

void GameTest::tick(int times)
{
    for (int i = 0; i < times; ++i)
        m_host->window()->Timer1_Timer();
}

QByteArray GameTest::fileBytes(const char *name) const
{
    QFile file(m_data->path() + QStringLiteral("/Quotello/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void GameTest::writeRecord(const char *name, const QByteArray &bytes)
{
    QDir().mkpath(m_data->path() + QStringLiteral("/Quotello"));
    QFile file(m_data->path() + QStringLiteral("/Quotello/") + QString::fromLatin1(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void GameTest::startUpGreetsThePlayerBeforeTheClockRuns()
{
    m_dialogs.names = {QStringLiteral("Anna")};
    QList<bool> clockRunningDuringBox;
    m_dialogs.whileOpen = [&](const FakeDialogs::Box &) {
        auto *timer = m_host->window()->findChild<QTimer *>(QStringLiteral("Timer1"));
        clockRunningDuringBox << timer->isActive();
        QVERIFY(!m_host->window()->isVisible()); // nothing shows before the prompt is answered
    };
    Tavola *window = startGame();

    QCOMPARE(m_dialogs.kinds(), (QStringList{"ask", "inform"}));
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Come ti chiami?"));
    QCOMPARE(m_dialogs.shown[1].text, QStringLiteral(" Anna vediamo se sei un vero campione  "));
    QCOMPARE(m_dialogs.shown[1].title, QString());
    QCOMPARE(clockRunningDuringBox, (QList<bool>{false, false}));

    const Controls &c = window->controls();
    QVERIFY(window->isVisible());
    QVERIFY(c.Timer1->isActive());
    QCOMPARE(c.lblnome1->caption(), QStringLiteral("Anna"));
    QCOMPARE(c.lblconto->caption(), QStringLiteral("00:15:00"));
    QCOMPARE(window->state().clock.SecondsLeft, 900);
    QCOMPARE(window->state().RightCount, 0);
    QCOMPARE(window->state().WrongCount, 0);
    // The score labels keep their design captions until the first answer.
    QCOMPARE(c.lblScore->caption(), QStringLiteral("0"));
    QCOMPARE(c.lblScore2->caption(), QStringLiteral("0"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));

    // Both record files were missing: now they exist, empty, and show nothing.
    QCOMPARE(fileBytes(kRecordScoreFile), QByteArray());
    QCOMPARE(fileBytes(kRecordHolderFile), QByteArray());
    QCOMPARE(c.lblpunti->caption(), QString());
    QCOMPARE(c.lblnome->caption(), QString());

    // The first exercise is posed as the window appears.
    QVERIFY(!c.cmdNext->isEnabled());
    QVERIFY(window->state().ExerciseKind >= 1 && window->state().ExerciseKind <= 9);
    QCOMPARE(c.lbldeno->caption(), QString::number(window->state().Denominator));
}

void GameTest::cancelledNamePromptGivesAnEmptyName()
{
    Tavola *window = startGame();
    QCOMPARE(m_dialogs.shown[1].text, QStringLiteral("  vediamo se sei un vero campione  "));
    QCOMPARE(window->controls().lblnome1->caption(), QString());
    QVERIFY(window->isVisible());
    QCOMPARE(m_dialogs.endings, 0);
}

void GameTest::recordIsShownAsTheFilesHoldIt()
{
    writeRecord(kRecordScoreFile, "150\n");
    writeRecord(kRecordHolderFile, "Nicol\xf2 <b>&amp;</b>");
    m_dialogs.names = {QStringLiteral("<i>Leo</i> & co")};
    Tavola *window = startGame();

    const Controls &c = window->controls();
    QCOMPARE(c.lblpunti->caption(), QStringLiteral("150\n"));
    QCOMPARE(c.lblnome->caption(), QStringLiteral("Nicolò <b>&amp;</b>"));
    QCOMPARE(c.lblnome1->caption(), QStringLiteral("<i>Leo</i> & co"));
    QCOMPARE(c.lblnome1->textFormat(), Qt::PlainText);
    QCOMPARE(fileBytes(kRecordScoreFile), QByteArray("150\n"));
    QCOMPARE(fileBytes(kRecordHolderFile), QByteArray("Nicol\xf2 <b>&amp;</b>"));
    QCOMPARE(m_dialogs.kinds(), (QStringList{"ask", "inform"}));
}

void GameTest::unusableRecordFileIsReportedAndTheGameGoesOn()
{
    QVERIFY(QDir().mkpath(m_data->path() + QStringLiteral("/Quotello/fravis.txt")));
    writeRecord(kRecordHolderFile, "Bea");
    Tavola *window = startGame();

    QCOMPARE(m_dialogs.kinds(), (QStringList{"ask", "inform", "warn"}));
    const QString warning = m_dialogs.shown[2].text;
    QVERIFY2(warning.contains(QStringLiteral("«fravis.txt»")), qPrintable(warning));
    QVERIFY(!warning.contains(QStringLiteral("nfravis")));
    QVERIFY(window->isVisible());
    QVERIFY(window->controls().Timer1->isActive());
    QCOMPARE(window->controls().lblpunti->caption(), QString());
    QCOMPARE(window->controls().lblnome->caption(), QStringLiteral("Bea"));
    QVERIFY(QFileInfo(m_data->path() + QStringLiteral("/Quotello/fravis.txt")).isDir());
    QCOMPARE(m_dialogs.endings, 0);
}

void GameTest::exitAsksBeforeSayingGoodbye()
{
    Tavola *window = startGame();
    tick(388);
    const Controls &c = window->controls();
    const GameState before = window->state();
    const QString number = c.lblnum1->caption();
    m_dialogs.shown.clear();

    // No: the game goes on untouched.
    window->cmdExit_Click();
    QCOMPARE(m_dialogs.kinds(), QStringList{"confirm"});
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Vuoi veramente lasciarmi  ?"));
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("Uscire dal programma"));
    QCOMPARE(window->state().ExpectedAnswer, before.ExpectedAnswer);
    QCOMPARE(window->state().clock.SecondsLeft, before.clock.SecondsLeft);
    QCOMPARE(c.lblnum1->caption(), number);
    QVERIFY(c.Timer1->isActive());
    QCOMPARE(m_dialogs.endings, 0);

    // Yes: goodbye with the seconds left and today's date, then the end.
    m_dialogs.confirmations = {true};
    window->cmdExit_Click();
    QCOMPARE(m_dialogs.kinds(), (QStringList{"confirm", "confirm", "inform"}));
    QCOMPARE(m_dialogs.shown[2].text, QStringLiteral("Ciao a presto. Ore 512"));
    QCOMPARE(m_dialogs.shown[2].title,
             QStringLiteral("Data ") + QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    QCOMPARE(m_dialogs.endings, 1);
    QVERIFY(!c.Timer1->isActive());

    // Nothing runs after the goodbye: no tick, no second question.
    tick(3);
    window->cmdExit_Click();
    QCOMPARE(m_dialogs.shown.size(), 3);
    QCOMPARE(c.lblconto->caption(), QStringLiteral("00:08:32"));
}

void GameTest::closingTheWindowEndsTheGameWithoutAQuestion()
{
    Tavola *window = startGame();
    m_dialogs.shown.clear();
    QVERIFY(window->close());
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(m_dialogs.endings, 1);
    QVERIFY(!window->controls().Timer1->isActive());
}

void GameTest::endOfTime_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("beeps");

    QTest::newRow("stays twice") << QList<bool>{false, false}
                                 << QStringList{"confirm", "Tempo scaduto", "confirm"} << 1;
    QTest::newRow("leaves at once") << QList<bool>{true}
                                    << QStringList{"confirm", "Ciao a presto. Ore 0"} << 0;
    QTest::newRow("leaves at the second question")
        << QList<bool>{false, true}
        << QStringList{"confirm", "Tempo scaduto", "confirm", "Ciao a presto. Ore 0"} << 0;
}

void GameTest::endOfTime()
{
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, boxes);
    QFETCH(int, beeps);

    Tavola *window = startGame();
    const Controls &c = window->controls();
    m_dialogs.shown.clear();
    tick(900);
    QCOMPARE(c.lblconto->caption(), QStringLiteral("00:00:00"));
    QCOMPARE(window->state().clock.SecondsLeft, 0);
    QVERIFY(m_dialogs.shown.isEmpty()); // the clock reaches zero without a word

    m_dialogs.confirmations = answers;
    tick(1);
    QStringList seen;
    for (const FakeDialogs::Box &box : m_dialogs.shown)
        seen << (box.kind == QLatin1String("inform") ? box.text : box.kind);
    QCOMPARE(seen, boxes);
    QCOMPARE(m_dialogs.beeps, beeps);
    const bool stayed = !answers.contains(true);
    QCOMPARE(m_dialogs.endings, stayed ? 0 : 1);
    QVERIFY(!c.Timer1->isActive());
    QCOMPARE(c.lblconto->caption(), QStringLiteral("00:00:00"));
    if (!stayed)
        return;

    // The game goes on without its clock.
    window->cmdNext_Click();
    c.txtAnswer->setText(QString::number(window->state().ExpectedAnswer));
    int enter = 13;
    window->txtAnswer_KeyPress(enter);
    QCOMPARE(c.lblScore->caption(), QStringLiteral("1"));
    QCOMPARE(c.lblScore2->caption(), QStringLiteral("1"));
}

void GameTest::ticksDuringABoxOnlyAdvanceTheClock()
{
    Tavola *window = startGame();
    // The player ponders the exit question for three seconds: the clock goes on.
    m_dialogs.shown.clear();
    m_dialogs.whileOpen = [&](const FakeDialogs::Box &) { tick(3); };
    window->cmdExit_Click();
    QCOMPARE(window->controls().lblconto->caption(), QStringLiteral("00:14:57"));

    // At the end of the time, ticks that would open a box while one is open
    // are dropped: one question at a time.
    m_dialogs.whileOpen = nullptr;
    tick(897);
    m_dialogs.shown.clear();
    m_dialogs.whileOpen = [&](const FakeDialogs::Box &) { tick(2); };
    tick(1);
    QCOMPARE(m_dialogs.kinds(), (QStringList{"confirm", "inform", "confirm"}));
    QCOMPARE(m_dialogs.beeps, 1);
}

void GameTest::captionShowsTheTimeLeftWhileMinimised()
{
    Tavola *window = startGame();
    QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));
    tick(1);
    window->setWindowState(Qt::WindowMinimized);
    QCOMPARE(window->windowTitle(), QStringLiteral("00:14:59"));
    tick(1);
    QCOMPARE(window->windowTitle(), QStringLiteral("00:14:58"));
    window->setWindowState(Qt::WindowNoState);
    QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));
    tick(1);
    QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));
    window->setWindowState(Qt::WindowMaximized);
    QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));
}

void GameTest::newGameStartsAFreshWindow()
{
    writeRecord(kRecordScoreFile, "42");
    m_dialogs.names = {QStringLiteral("Anna"), QStringLiteral("Bruno")};
    Tavola *first = startGame();
    const Controls &c1 = first->controls();
    tick(30);
    c1.txtAnswer->setText(QStringLiteral("9999"));
    int enter = 13;
    first->txtAnswer_KeyPress(enter);
    QCOMPARE(c1.lblScore1->caption(), QStringLiteral("1"));
    QPointer<Tavola> old = first;
    QPointer<QTimer> oldClock = c1.Timer1;

    c1.menuNew->trigger();
    Tavola *second = m_host->window();
    QVERIFY(second && second != first);
    QCOMPARE(m_dialogs.kinds(), (QStringList{"ask", "inform", "ask", "inform"}));
    QCOMPARE(m_dialogs.shown[3].text, QStringLiteral(" Bruno vediamo se sei un vero campione  "));

    const Controls &c2 = second->controls();
    QVERIFY(second->isVisible());
    QCOMPARE(c2.lblnome1->caption(), QStringLiteral("Bruno"));
    QCOMPARE(c2.lblconto->caption(), QStringLiteral("00:15:00"));
    QCOMPARE(c2.lblScore1->caption(), QStringLiteral("0"));
    QCOMPARE(c2.lblScore2->caption(), QStringLiteral("0"));
    QCOMPARE(c2.lblpunti->caption(), QStringLiteral("42"));
    QCOMPARE(second->state().WrongCount, 0);
    QCOMPARE(m_dialogs.endings, 0);

    // The old window goes, and its clock with it.
    QVERIFY(!old->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(old.isNull());
    QVERIFY(oldClock.isNull());
    QCOMPARE(fileBytes(kRecordScoreFile), QByteArray("42"));
}

QTEST_MAIN(GameTest)
#include "test_game.moc"
