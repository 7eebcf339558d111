// A whole game with the player's answers to its boxes scripted: start-up,
// the record, the clock and its end, leaving and starting again; and the
// real boxes the desktop shows.
#include "app/dialogs.h"
#include "app/greeting.h"
#include "gamefixture.h"
#include "records/recordfiles.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QToolButton>

class GameTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() { m_game = std::make_unique<GameFixture>(); }
    void cleanup() { m_game.reset(); }

    void startUp_data();
    void startUp();
    void theClockStartsAfterTheLastBoxOfTheStartUp();
    void greeting_data();
    void greeting();
    void exitAsksBeforeSayingGoodbye();
    void closingTheWindowEndsTheGameWithoutAQuestion();
    void endOfTime_data();
    void endOfTime();
    void oneBoxAtATime();
    void captionShowsTheTimeLeftWhileMinimised();
    void newGameStartsAFreshWindow();
    void realBoxesFitTheirTitleAndTheScreen();

private:
    std::unique_ptr<GameFixture> m_game;
};

enum class Records { Missing, Present, FolderInPlace, NoHome };
Q_DECLARE_METATYPE(Records)

void GameTest::startUp_data()
{
    QTest::addColumn<QStringList>("names"); // empty: the prompt is cancelled
    QTest::addColumn<Records>("records");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("holder");

    const QString greeted = QStringLiteral(" Anna vediamo se sei un vero campione  ");
    QTest::newRow("named, no record yet") << QStringList{"Anna"} << Records::Missing
                                          << QStringList{"ask", greeted} << "" << "";
    QTest::newRow("cancelled, a record") << QStringList{} << Records::Present
                                         << QStringList{"ask", "  vediamo se sei un vero campione  "}
                                         << "150\n" << "Nicolò <b>";
    QTest::newRow("named, an unusable record") << QStringList{"Anna"} << Records::FolderInPlace
                                               << QStringList{"ask", greeted, "warn"} << "" << "Bea";
    QTest::newRow("named, no home") << QStringList{"Anna"} << Records::NoHome
                                    << QStringList{"ask", greeted, "warn"} << "" << "";
}

void GameTest::startUp()
{
    QFETCH(QStringList, names);
    QFETCH(Records, records);
    QFETCH(QStringList, boxes);
    QFETCH(QString, score);
    QFETCH(QString, holder);

    const QByteArray holderBytes = records == Records::Present ? "Nicol\xf2 <b>" : "Bea";
    if (records == Records::Present)
        m_game->writeRecord(kRecordScoreFile, "150\n");
    if (records == Records::FolderInPlace)
        QVERIFY(QDir().mkpath(m_game->recordPath(kRecordScoreFile)));
    if (records == Records::Present || records == Records::FolderInPlace)
        m_game->writeRecord(kRecordHolderFile, holderBytes);
    const QByteArray home = qgetenv("HOME");
    const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
    if (records == Records::NoHome)
        qunsetenv("HOME");
    m_game->dialogs.names = names;
    bool hiddenDuringBoxes = true;
    m_game->dialogs.whileOpen = [&](const FakeDialogs::Box &) {
        hiddenDuringBoxes = hiddenDuringBoxes && !m_game->window()->isVisible();
    };
    Tavola *window = m_game->start();

    QCOMPARE(m_game->dialogs.seen(), boxes);
    QVERIFY(hiddenDuringBoxes);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));
    QCOMPARE(m_game->caption("lblnome1"), names.value(0));
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:15:00"));
    QVERIFY(window->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
    QCOMPARE(m_game->caption("lblScore") + m_game->caption("lblScore1") + m_game->caption("lblScore2"), "000");
    QVERIFY(!m_game->control("cmdNext")->isEnabled()); // the first exercise is posed
    QCOMPARE(m_game->caption("lblpunti"), score);
    QCOMPARE(m_game->caption("lblnome"), holder);
    QCOMPARE(m_game->dialogs.endings, 0);

    // The record files are created when missing, and never changed.
    if (records == Records::NoHome) {
        QVERIFY(!QFileInfo::exists(m_game->recordPath("")));
        return;
    }
    if (records == Records::FolderInPlace) {
        QVERIFY(m_game->dialogs.shown.last().text.contains(QStringLiteral("«fravis.txt»")));
        QVERIFY(QFileInfo(m_game->recordPath(kRecordScoreFile)).isDir());
    } else {
        QCOMPARE(m_game->recordBytes(kRecordScoreFile), records == Records::Present ? "150\n" : "");
    }
    QCOMPARE(m_game->recordBytes(kRecordHolderFile), records == Records::Missing ? "" : holderBytes);
}

void GameTest::theClockStartsAfterTheLastBoxOfTheStartUp()
{
    QVERIFY(QDir().mkpath(m_game->recordPath(kRecordScoreFile)));
    // Each box stays open ten seconds.
    m_game->dialogs.whileOpen = [&](const FakeDialogs::Box &) { m_game->tick(10); };
    m_game->start();
    m_game->dialogs.shown.clear();
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:15:00"));
    m_game->tick(899);
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:00:01"));
    m_game->tick();
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:00:00"));
    QVERIFY(m_game->dialogs.shown.isEmpty());
    m_game->tick();
    QCOMPARE(m_game->dialogs.seen().first(), QStringLiteral("confirm"));
}

void GameTest::greeting_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("greeted"); // the box's text; empty: shortened
    QTest::newRow("a name") << "Anna" << " Anna vediamo se sei un vero campione  ";
    QTest::newRow("written right to left") << "אבי" << " \u2068אבי\u2069 vediamo se sei un vero campione  ";
    QTest::newRow("too long to show") << QStringLiteral("Anna ").repeated(2000) << "";
}

void GameTest::greeting()
{
    QFETCH(QString, name);
    QFETCH(QString, greeted);
    m_game->dialogs.names = {name};
    m_game->start();

    const QString text = m_game->dialogs.shown[1].text;
    QVERIFY(!text.isRightToLeft()); // the Italian sentence reads left to right
    QVERIFY(text.endsWith(QStringLiteral(" vediamo se sei un vero campione  ")));
    if (greeted.isEmpty())
        QVERIFY(text.contains(u'…') && text.size() < 200);
    else
        QCOMPARE(text, greeted);
    // The window keeps the name whole, in its own direction.
    QString shown = m_game->caption("lblnome1");
    QVERIFY(!shown.isRightToLeft());
    QCOMPARE(shown.remove(QChar(0x2068)).remove(QChar(0x2069)), name);
}

void GameTest::exitAsksBeforeSayingGoodbye()
{
    m_game->start();
    m_game->tick(388);
    const QString exercise = m_game->caption("lblnum1") + m_game->caption("lblnum2") + m_game->caption("lbldeno");
    m_game->dialogs.shown.clear();

    // No: the game goes on untouched.
    m_game->control<QToolButton>("cmdExit")->click();
    QCOMPARE(m_game->dialogs.seen(), QStringList{"confirm"});
    QCOMPARE(m_game->dialogs.shown[0].text, QStringLiteral("Vuoi veramente lasciarmi  ?"));
    QCOMPARE(m_game->dialogs.shown[0].title, QStringLiteral("Uscire dal programma"));
    QCOMPARE(m_game->caption("lblnum1") + m_game->caption("lblnum2") + m_game->caption("lbldeno"), exercise);
    m_game->tick();
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:08:31"));

    // Yes: goodbye with the seconds left and today's date, then the end.
    m_game->dialogs.confirmations = {true};
    m_game->control<QToolButton>("cmdExit")->click();
    QCOMPARE(m_game->dialogs.seen(), (QStringList{"confirm", "confirm", "Ciao a presto. Ore 511"}));
    const auto date = QRegularExpression(QStringLiteral("^Data (\\d\\d)/(\\d\\d)/(\\d{4})$"))
                          .match(m_game->dialogs.shown[2].title);
    QVERIFY2(date.hasMatch(), qPrintable(m_game->dialogs.shown[2].title));
    const QDate today = QDate::currentDate();
    QCOMPARE(QDate(date.captured(3).toInt(), date.captured(2).toInt(), date.captured(1).toInt()), today);
    QCOMPARE(m_game->dialogs.endings, 1);

    // Nothing runs after the goodbye: no tick, no second question.
    m_game->tick(3);
    m_game->control<QToolButton>("cmdExit")->click();
    QCOMPARE(m_game->dialogs.shown.size(), 3);
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:08:31"));
}

void GameTest::closingTheWindowEndsTheGameWithoutAQuestion()
{
    m_game->start();
    m_game->dialogs.shown.clear();
    QVERIFY(m_game->window()->close());
    QVERIFY(m_game->dialogs.shown.isEmpty());
    QCOMPARE(m_game->dialogs.endings, 1);
    QVERIFY(!m_game->window()->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
}

void GameTest::endOfTime_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("beeps");
    QTest::newRow("stays twice") << QList<bool>{false, false}
                                 << QStringList{"confirm", "Tempo scaduto", "confirm"} << 1;
    QTest::newRow("leaves at once") << QList<bool>{true} << QStringList{"confirm", "Ciao a presto. Ore 0"} << 0;
    QTest::newRow("leaves at the second question")
        << QList<bool>{false, true} << QStringList{"confirm", "Tempo scaduto", "confirm", "Ciao a presto. Ore 0"}
        << 0;
}

void GameTest::endOfTime()
{
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, boxes);
    QFETCH(int, beeps);

    m_game->start();
    m_game->dialogs.shown.clear();
    m_game->tick(900);
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:00:00"));
    QVERIFY(m_game->dialogs.shown.isEmpty()); // the clock reaches zero without a word

    m_game->dialogs.confirmations = answers;
    m_game->tick();
    QCOMPARE(m_game->dialogs.seen(), boxes);
    QCOMPARE(m_game->dialogs.beeps, beeps);
    QCOMPARE(m_game->dialogs.endings, answers.contains(true) ? 1 : 0);
    QVERIFY(!m_game->window()->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:00:00"));
    if (answers.contains(true))
        return;

    // The game goes on without its clock.
    const int answer = m_game->caption("lblnum1").toInt() * m_game->caption("lblnum2").toInt()
                       / m_game->caption("lbldeno").toInt();
    QTest::keyClicks(m_game->control("txtAnswer"), QString::number(answer));
    QTest::keyClick(m_game->control("txtAnswer"), Qt::Key_Return);
    QCOMPARE(m_game->caption("lblScore") + m_game->caption("lblScore2"), "11");
}

void GameTest::oneBoxAtATime()
{
    m_game->start();
    // The player ponders the exit question for three seconds: the clock goes on.
    m_game->dialogs.whileOpen = [&](const FakeDialogs::Box &) { m_game->tick(3); };
    m_game->control<QToolButton>("cmdExit")->click();
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:14:57"));

    // At the end of the time, ticks that would open a box while one is open
    // are dropped.
    m_game->dialogs.whileOpen = nullptr;
    m_game->tick(897);
    m_game->dialogs.shown.clear();
    m_game->dialogs.whileOpen = [&](const FakeDialogs::Box &) { m_game->tick(2); };
    m_game->tick();
    QCOMPARE(m_game->dialogs.seen(), (QStringList{"confirm", "Tempo scaduto", "confirm"}));
    QCOMPARE(m_game->dialogs.deepest, 1);
    QCOMPARE(m_game->dialogs.beeps, 1);
}

void GameTest::captionShowsTheTimeLeftWhileMinimised()
{
    Tavola *window = m_game->start();
    m_game->tick();
    window->setWindowState(Qt::WindowMinimized);
    QCOMPARE(window->windowTitle(), QStringLiteral("00:14:59"));
    m_game->tick();
    QCOMPARE(window->windowTitle(), QStringLiteral("00:14:58"));
    window->setWindowState(Qt::WindowMaximized);
    QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));
    m_game->tick();
    QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));
}

void GameTest::newGameStartsAFreshWindow()
{
    m_game->writeRecord(kRecordScoreFile, "42");
    m_game->dialogs.names = {QStringLiteral("Anna"), QStringLiteral("Bruno")};
    QPointer<Tavola> first = m_game->start();
    m_game->tick(30);
    QTest::keyClicks(m_game->control("txtAnswer"), QStringLiteral("9999"));
    QTest::keyClick(m_game->control("txtAnswer"), Qt::Key_Return);
    QPointer<QTimer> oldClock = first->findChild<QTimer *>(QStringLiteral("Timer1"));

    first->findChild<QAction *>(QStringLiteral("new"))->trigger();
    QVERIFY(m_game->window() != first);
    QCOMPARE(m_game->dialogs.shown[3].text, QStringLiteral(" Bruno vediamo se sei un vero campione  "));
    QVERIFY(m_game->window()->isVisible() && !first->isVisible());
    QCOMPARE(m_game->caption("lblnome1"), QStringLiteral("Bruno"));
    QCOMPARE(m_game->caption("lblconto"), QStringLiteral("00:15:00"));
    QCOMPARE(m_game->caption("lblScore1") + m_game->caption("lblScore2"), "00");
    QCOMPARE(m_game->caption("lblpunti"), QStringLiteral("42"));

    // The old window goes, and its clock with it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull() && oldClock.isNull());
    QCOMPARE(m_game->dialogs.endings, 0);
}

void GameTest::realBoxesFitTheirTitleAndTheScreen()
{
    QtDialogs dialogs;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    QSize size;
    const auto measure = [&] {
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            size = box ? box->size() : QSize();
            if (box)
                box->close();
        });
    };
    const auto fits = [&](const QString &title) {
        return size.width() >= QFontMetrics(titleFont).horizontalAdvance(title) + 100
               && size.width() <= screen.width() && size.height() <= screen.height();
    };
    measure();
    dialogs.confirm(nullptr, QStringLiteral("Vuoi veramente lasciarmi  ?"), QStringLiteral("Uscire dal programma"));
    QVERIFY(fits(QStringLiteral("Uscire dal programma")));
    measure();
    dialogs.inform(nullptr, QStringLiteral("Ciao a presto. Ore 0"), QStringLiteral("Data 07/12/2026"));
    QVERIFY(fits(QStringLiteral("Data 07/12/2026")));
    measure();
    dialogs.inform(nullptr, ::greeting(QStringLiteral("Anna ").repeated(2000), QGuiApplication::primaryScreen()), {});
    QVERIFY(fits(QStringLiteral("Quotello")));
}

QTEST_MAIN(GameTest)
#include "test_game.moc"
