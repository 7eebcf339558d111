// A whole game with the player's answers to its boxes scripted: start-up,
// the record, the clock and its end, leaving and starting again; and the
// real boxes the desktop shows.
#include "app/greeting.h"
#include "game.h"
#include "records/recordfiles.h"

#include <QAbstractButton>
#include <QScreen>

enum class Records { Missing, Present, FolderInPlace, NoHome };
Q_DECLARE_METATYPE(Records)

class GameTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<Game> game;

    void clickExit() { game->control<QAbstractButton>("cmdExit")->click(); }

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() { game = std::make_unique<Game>(); }
    void cleanup() { game.reset(); }

    void startUp_data()
    {
        QTest::addColumn<QStringList>("names"); // none: the prompt is cancelled
        QTest::addColumn<Records>("records");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("record"); // score and holder shown
        const QString greeted = " Anna vediamo se sei un vero campione  ";
        QTest::newRow("named, no record yet") << QStringList{"Anna"} << Records::Missing
                                              << QStringList{"ask", greeted} << " ";
        QTest::newRow("cancelled, a record") << QStringList{} << Records::Present
                                             << QStringList{"ask", "  vediamo se sei un vero campione  "}
                                             << "150\n Nicolò <b>";
        QTest::newRow("an unusable record") << QStringList{"Anna"} << Records::FolderInPlace
                                            << QStringList{"ask", greeted, "warn"} << " Bea";
        QTest::newRow("no home") << QStringList{"Anna"} << Records::NoHome << QStringList{"ask", greeted, "warn"}
                                 << " ";
    }
    void startUp()
    {
        QFETCH(QStringList, names);
        QFETCH(Records, records);
        QFETCH(QStringList, boxes);
        QFETCH(QString, record);
        const QByteArray holder = records == Records::Present ? "Nicol\xf2 <b>" : "Bea";
        if (records == Records::Present)
            game->writeRecord(kRecordScoreFile, "150\n");
        if (records == Records::FolderInPlace)
            QVERIFY(QDir().mkpath(game->recordPath(kRecordScoreFile)));
        if (records == Records::Present || records == Records::FolderInPlace)
            game->writeRecord(kRecordHolderFile, holder);
        const QByteArray home = qgetenv("HOME");
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
        if (records == Records::NoHome)
            qunsetenv("HOME");
        game->dialogs.names = names;
        bool hidden = true;
        game->dialogs.whileOpen = [&] { // each box stays open ten seconds
            hidden = hidden && !game->window()->isVisible();
            game->tick(10);
        };
        Tavola *window = game->start();

        QCOMPARE(game->dialogs.seen(), boxes);
        QVERIFY(hidden && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));
        // The fifteen minutes begin once the last box is closed.
        QCOMPARE(game->captions({"lblnome1", "lblconto", "lblScore", "lblScore1", "lblScore2"}),
                 names.value(0) + " 00:15:00 0 0 0");
        QVERIFY(game->control<QTimer>("Timer1")->isActive());
        QVERIFY(!game->control("cmdNext")->isEnabled()); // the first exercise is posed
        QCOMPARE(game->captions({"lblpunti", "lblnome"}), record);
        // The record files are created when missing, and never changed.
        QCOMPARE(QFileInfo::exists(game->recordPath("")), records != Records::NoHome);
        if (records == Records::FolderInPlace)
            QVERIFY(game->dialogs.shown.last().text.contains("«fravis.txt»"));
        else if (records != Records::NoHome)
            QCOMPARE(game->recordBytes(kRecordScoreFile), records == Records::Present ? "150\n" : "");
        if (records != Records::NoHome)
            QCOMPARE(game->recordBytes(kRecordHolderFile), records == Records::Missing ? "" : holder);
    }

    void greeting_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("greeted"); // the box's text; empty: shortened
        QTest::newRow("a name") << "Anna" << " Anna vediamo se sei un vero campione  ";
        QTest::newRow("right to left") << "אבי" << " \u2068אבי\u2069 vediamo se sei un vero campione  ";
        QTest::newRow("too long to show") << QString("Anna ").repeated(2000) << "";
    }
    void greeting()
    {
        QFETCH(QString, name);
        QFETCH(QString, greeted);
        game->dialogs.names = {name};
        game->start();
        const QString text = game->dialogs.shown[1].text;
        QVERIFY(!text.isRightToLeft() && text.endsWith(" vediamo se sei un vero campione  "));
        QVERIFY(greeted.isEmpty() ? text.contains(u'…') && text.size() < 200 : text == greeted);
        // The window keeps the name whole, in its own direction.
        QString shown = game->caption("lblnome1");
        QVERIFY(!shown.isRightToLeft());
        QCOMPARE(shown.remove(QChar(0x2068)).remove(QChar(0x2069)), name);
    }

    void leaving()
    {
        game->start();
        game->tick(385);
        const QString exercise = game->captions({"lblnum1", "lblnum2", "lbldeno"});
        game->dialogs.shown.clear();
        game->dialogs.whileOpen = [&] { game->tick(3); }; // the question pondered: the clock goes on
        clickExit(); // No: the game goes on untouched
        QCOMPARE(game->dialogs.shown[0].text + game->dialogs.shown[0].title,
                 QStringLiteral("Vuoi veramente lasciarmi  ?Uscire dal programma"));
        QCOMPARE(game->captions({"lblnum1", "lblnum2", "lbldeno", "lblconto"}), exercise + " 00:08:32");

        game->dialogs.whileOpen = nullptr;
        game->dialogs.confirmations = {true};
        clickExit(); // Yes: goodbye with the seconds left and today's date, then the end
        QCOMPARE(game->dialogs.seen(), (QStringList{"confirm", "confirm", "Ciao a presto. Ore 512"}));
        const auto date = QRegularExpression("^Data (\\d\\d)/(\\d\\d)/(\\d{4})$").match(game->dialogs.shown[2].title);
        QVERIFY2(date.hasMatch(), qPrintable(game->dialogs.shown[2].title));
        QCOMPARE(QDate(date.captured(3).toInt(), date.captured(2).toInt(), date.captured(1).toInt()),
                 QDate::currentDate());
        QCOMPARE(game->dialogs.endings, 1);
        game->tick(3); // nothing runs after the goodbye
        clickExit();
        QCOMPARE(game->dialogs.shown.size(), 3);
        QCOMPARE(game->caption("lblconto"), QStringLiteral("00:08:32"));

        // Closed through its frame, a window ends the game without a question.
        Game other;
        other.start()->close();
        QCOMPARE(other.dialogs.seen().size(), 2);
        QCOMPARE(other.dialogs.endings, 1);
    }

    void endOfTime_data()
    {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("ticksWhileOpen");
        QTest::addColumn<QStringList>("boxes");
        const QStringList stays{"confirm", "Tempo scaduto", "confirm"};
        QTest::newRow("stays twice") << QList<bool>{false, false} << 0 << stays;
        // Ticks that would open a box while one is open are dropped.
        QTest::newRow("stays twice, ticks meanwhile") << QList<bool>{false, false} << 2 << stays;
        QTest::newRow("leaves at once") << QList<bool>{true} << 0 << QStringList{"confirm", "Ciao a presto. Ore 0"};
        QTest::newRow("leaves at the second question") << QList<bool>{false, true} << 0
                                                       << (stays + QStringList{"Ciao a presto. Ore 0"});
    }
    void endOfTime()
    {
        QFETCH(QList<bool>, answers);
        QFETCH(int, ticksWhileOpen);
        QFETCH(QStringList, boxes);
        game->start();
        game->dialogs.shown.clear();
        game->tick(900);
        QCOMPARE(game->caption("lblconto"), QStringLiteral("00:00:00"));
        QVERIFY(game->dialogs.shown.isEmpty()); // the clock reaches zero without a word
        game->dialogs.confirmations = answers;
        game->dialogs.whileOpen = [&] { game->tick(ticksWhileOpen); };
        game->tick();
        QCOMPARE(game->dialogs.seen(), boxes);
        QCOMPARE(game->dialogs.deepest, 1);
        const bool stayed = !answers.contains(true);
        QCOMPARE(game->dialogs.beeps, stayed ? 1 : 0);
        QCOMPARE(game->dialogs.endings, stayed ? 0 : 1);
        QVERIFY(!game->control<QTimer>("Timer1")->isActive());
        QCOMPARE(game->caption("lblconto"), QStringLiteral("00:00:00"));
        if (!stayed)
            return;
        // The game goes on without its clock.
        QTest::keyClicks(game->control("txtAnswer"), QString::number(game->answer()));
        QTest::keyClick(game->control("txtAnswer"), Qt::Key_Return);
        QCOMPARE(game->captions({"lblScore", "lblScore2"}), "1 1");
    }

    void captionShowsTheTimeLeftWhileMinimised()
    {
        Tavola *window = game->start();
        game->tick();
        window->setWindowState(Qt::WindowMinimized);
        QCOMPARE(window->windowTitle(), QStringLiteral("00:14:59"));
        game->tick();
        QCOMPARE(window->windowTitle(), QStringLiteral("00:14:58"));
        window->setWindowState(Qt::WindowMaximized);
        game->tick();
        QCOMPARE(window->windowTitle(), QStringLiteral("Quotellare"));
    }

    void newGameStartsAFreshWindow()
    {
        game->writeRecord(kRecordScoreFile, "42");
        game->dialogs.names = {"Anna", "Bruno"};
        QPointer<Tavola> first = game->start();
        game->tick(30);
        QTest::keyClicks(game->control("txtAnswer"), "9999");
        QTest::keyClick(game->control("txtAnswer"), Qt::Key_Return);
        QPointer<QTimer> oldClock = game->control<QTimer>("Timer1");

        first->findChild<QAction *>("new")->trigger();
        QCOMPARE(game->dialogs.shown[3].text, QStringLiteral(" Bruno vediamo se sei un vero campione  "));
        QVERIFY(game->window() != first && game->window()->isVisible() && !first->isVisible());
        QCOMPARE(game->captions({"lblnome1", "lblconto", "lblScore1", "lblScore2", "lblpunti"}),
                 "Bruno 00:15:00 0 0 42");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull() && oldClock.isNull()); // the old window goes, and its clock with it
        QCOMPARE(game->dialogs.endings, 0);
    }

    void realBoxesFitTheirTitleAndTheScreen()
    {
        QtDialogs dialogs;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QFont bold = QApplication::font();
        bold.setBold(true);
        const auto fits = [&](const QString &title, const std::function<void()> &show) {
            QSize size;
            QTimer::singleShot(0, [&] {
                size = QApplication::activeModalWidget()->size();
                QApplication::activeModalWidget()->close();
            });
            show();
            return size.width() >= QFontMetrics(bold).horizontalAdvance(title) + 100
                   && size.width() <= screen.width() && size.height() <= screen.height();
        };
        QVERIFY(fits("Uscire dal programma", [&] { dialogs.confirm(nullptr, "Vuoi veramente lasciarmi  ?",
                                                                   "Uscire dal programma"); }));
        QVERIFY(fits("Data 07/12/2026", [&] { dialogs.inform(nullptr, "Ciao a presto. Ore 0", "Data 07/12/2026"); }));
        QVERIFY(fits("Quotello", [&] {
            dialogs.inform(nullptr, ::greeting(QString("Anna ").repeated(2000), QGuiApplication::primaryScreen()), {});
        }));
    }
};

QTEST_MAIN(GameTest)
#include "test_game.moc"
