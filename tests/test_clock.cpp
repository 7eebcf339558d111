#include "clock/caption.h"
#include "clock/countdown.h"

#include <QtTest>

class ClockTest : public QObject
{
    Q_OBJECT

private slots:
    void startsAtFifteenMinutes();
    void ticksDownToZero();
    void borrowsFromTheHours();
    void captionFollowsTheWindowState();
};

void ClockTest::startsAtFifteenMinutes()
{
    Countdown clock;
    clock.ClockSeconds = 42;
    clock.start();
    QCOMPARE(clock.text(), QStringLiteral("00:15:00"));
    QCOMPARE(clock.SecondsLeft, std::int16_t{900});
    QVERIFY(!clock.timeIsUp());
}

void ClockTest::ticksDownToZero()
{
    Countdown clock;
    clock.start();
    const std::map<int, QString> seen{{1, "00:14:59"},   {59, "00:14:01"},  {60, "00:14:00"},
                                      {61, "00:13:59"},  {600, "00:05:00"}, {899, "00:00:01"},
                                      {900, "00:00:00"}};
    for (int tick = 1; tick <= 900; ++tick) {
        clock.advance();
        QCOMPARE(int{clock.SecondsLeft}, 900 - tick);
        // The time shown and the seconds left always agree.
        const int shown = clock.ClockHours * 3600 + clock.ClockMinutes * 60 + int(clock.ClockSeconds);
        QCOMPARE(shown, int{clock.SecondsLeft});
        QVERIFY(clock.ClockSeconds >= 0 && clock.ClockSeconds <= 59);
        if (auto it = seen.find(tick); it != seen.end())
            QCOMPARE(clock.text(), it->second);
        QCOMPARE(clock.timeIsUp(), tick == 900);
    }
}

void ClockTest::borrowsFromTheHours()
{
    Countdown clock;
    clock.ClockHours = 1;
    clock.ClockMinutes = 0;
    clock.ClockSeconds = 0;
    clock.SecondsLeft = 3600;
    QCOMPARE(clock.text(), QStringLiteral("01:00:00"));
    clock.advance();
    QCOMPARE(clock.text(), QStringLiteral("00:59:59"));
    QCOMPARE(clock.SecondsLeft, std::int16_t{3599});
}

void ClockTest::captionFollowsTheWindowState()
{
    Countdown clock;
    clock.start();
    clock.advance();
    QCOMPARE(windowCaption(false, clock), QStringLiteral("Quotellare"));
    QCOMPARE(windowCaption(true, clock), QStringLiteral("00:14:59"));
    for (int i = 0; i < 899; ++i)
        clock.advance();
    QCOMPARE(windowCaption(true, clock), QStringLiteral("00:00:00"));
}

QTEST_APPLESS_MAIN(ClockTest)
#include "test_clock.moc"
