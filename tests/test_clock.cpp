#include "clock/caption.h"
#include "clock/countdown.h"

#include <QtTest>

class ClockTest : public QObject
{
    Q_OBJECT

private slots:
    void countsDown_data()
    {
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("left");
        QTest::newRow("armed") << 0 << 0 << "00:15:00" << 900;
        QTest::newRow("tick 1") << 0 << 1 << "00:14:59" << 899;
        QTest::newRow("tick 60") << 0 << 60 << "00:14:00" << 840;
        QTest::newRow("tick 61") << 0 << 61 << "00:13:59" << 839;
        QTest::newRow("tick 900") << 0 << 900 << "00:00:00" << 0;
        QTest::newRow("never below zero") << 0 << 905 << "00:00:00" << 0;
        QTest::newRow("borrows an hour") << 1 << 1 << "00:59:59" << 3599;
    }
    void countsDown()
    {
        QFETCH(int, hours);
        QFETCH(int, ticks);
        QFETCH(QString, shown);
        QFETCH(int, left);
        Countdown clock;
        clock.start();
        if (hours)
            clock = Countdown{std::int16_t(hours), 0, 0, std::int16_t(hours * 3600)};
        for (int tick = 1; tick <= ticks; ++tick) {
            clock.advance();
            // The time shown and the seconds left always count the same seconds.
            QCOMPARE(clock.ClockHours * 3600 + clock.ClockMinutes * 60 + int(clock.ClockSeconds), int{clock.SecondsLeft});
        }
        QCOMPARE(clock.text(), shown);
        QCOMPARE(int{clock.SecondsLeft}, left);
        QCOMPARE(clock.timeIsUp(), left == 0);
        QCOMPARE(windowCaption(true, clock), shown);
        QCOMPARE(windowCaption(false, clock), QStringLiteral("Quotellare"));
    }
};

QTEST_APPLESS_MAIN(ClockTest)
#include "test_clock.moc"
