// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times, inside the process, what a player waits for after each key:
// posing an exercise (a click on "Nuovo calcolo") and checking an answer
// (Enter in the answer box), each alone and followed by the repaint it causes.
//
//   bench_inprocess [REPETITIONS]      (QT_QPA_PLATFORM=offscreen)
//
// Each of the four is timed REPETITIONS times (2000 by default). Prints
// "name median_us p90_us" lines, then the steps of start-up in ms.
#include "app/application.h"
#include "app/dialogs.h"
#include "app/label.h"
#include "app/tavola.h"
#include "exercises/answer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Boxes that nobody answers: the name is "Bench", every question No.
class SilentDialogs final : public Dialogs
{
public:
    QString askText(QWidget *, const QString &) override { return QStringLiteral("Bench"); }
    void inform(QWidget *, const QString &, const QString &) override {}
    void warn(QWidget *, const QString &) override {}
    bool confirm(QWidget *, const QString &, const QString &) override { return false; }
    void beep() override {}
    void endProgram() override {}
};

struct Stats
{
    double median;
    double p90;
};

Stats stats(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[static_cast<std::size_t>(q * double(samples.size() - 1))]; };
    return {at(0.5), at(0.9)};
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "bench_inprocess: %s\n", what);
    std::exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    const int reps = argc > 1 ? std::atoi(argv[1]) : 2000;
    // The right answers are counted in 16 bits.
    if (reps < 10 || reps > 16000)
        fail("repetitions must be 10..16000");

    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const double appMs = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    setUpApplication(app);
    const double setUpMs = double(clock.nsecsElapsed()) / 1e6;

    SilentDialogs dialogs;
    clock.restart();
    Tavola window(dialogs);
    const double buildMs = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    window.Form_Load();
    const double loadMs = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    window.show();
    settle();
    const double showMs = double(clock.nsecsElapsed()) / 1e6;

    auto *answerBox = window.findChild<QLineEdit *>(QStringLiteral("txtAnswer"));
    auto *next = window.findChild<QToolButton *>(QStringLiteral("cmdNext"));
    const auto caption = [&](const char *name) {
        return window.findChild<QLabel *>(QString::fromLatin1(name))->text();
    };
    std::vector<double> pose, check, posePaint, checkPaint;
    const int warmUp = 50;
    for (int i = 0; i < warmUp + 2 * reps; ++i) {
        const bool keep = i >= warmUp;
        const bool paint = i % 2 == 1; // alternate: the call alone, the call and its repaint

        clock.restart();
        next->click();
        if (paint)
            settle();
        const double poseUs = double(clock.nsecsElapsed()) / 1e3;

        answerBox->setText(QString::number(caption("lblnum1").toInt() * caption("lblnum2").toInt()
                                           / caption("lbldeno").toInt()));
        const int rightBefore = caption("lblScore").toInt();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        clock.restart();
        QCoreApplication::sendEvent(answerBox, &enter);
        if (paint)
            settle();
        const double checkUs = double(clock.nsecsElapsed()) / 1e3;
        if (caption("lblScore").toInt() != rightBefore + 1 || caption("lblMessage") != rightVerdict())
            fail("the right answer was not counted as right");

        if (!paint)
            settle(); // untimed: the next sample starts with nothing left to paint

        if (keep) {
            (paint ? posePaint : pose).push_back(poseUs);
            (paint ? checkPaint : check).push_back(checkUs);
        }
    }

    const auto print = [](const char *name, const std::vector<double> &samples) {
        const Stats s = stats(samples);
        std::printf("%s %.1f %.1f\n", name, s.median, s.p90);
    };
    print("pose", pose);
    print("check", check);
    print("pose+paint", posePaint);
    print("check+paint", checkPaint);
    std::printf("startup_ms QApplication=%.1f setUpApplication=%.1f Tavola=%.1f Form_Load=%.1f show=%.1f\n",
                appMs, setUpMs, buildMs, loadMs, showMs);
    return 0;
}
