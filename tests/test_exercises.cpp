// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercises' pure logic: the generator's draws and reseeds, the random
// generator, and the reader of the answer box.
#include "app/layout.h"
#include "exercises/answer.h"
#include "exercises/generator.h"
#include "exercises/rng.h"

#include <QtTest>

#include <set>

using Drawn = std::tuple<int, int, int, int, int>; // kind, base, numerator, whole, answer
using Reading = std::optional<std::int16_t>;
Q_DECLARE_METATYPE(Drawn)
Q_DECLARE_METATYPE(Reading)

// Draws given by the test, and a log of what the generator asked for: "n"
// for a draw, "rK" for a reseed with K.
struct ScriptedSource
{
    QList<float> draws;
    QStringList log;
    float next() { log << "n"; return draws.isEmpty() ? 0.5f : draws.takeFirst(); }
    void reseed(std::int16_t k) { log << QStringLiteral("r%1").arg(k); }
};

class ExercisesTest : public QObject
{
    Q_OBJECT

private slots:
    void drawsAndReseedsFollowTheRecipe_data()
    {
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<QString>("log");
        QTest::addColumn<Drawn>("drawn");
        // The first draw picks the number to reseed with (here 500), the second the kind: r × 9 + 1.
        const auto kind = [](int k) { return float(k - 1) / 9 + 0.05f; };
        QTest::newRow("1: base 0 kept") << QList<float>{0.4995f, kind(1), 0.1f, 0.99f} << "n r500 n r0 n n"
                                        << Drawn{1, 0, 4, 0, 0};
        QTest::newRow("2: base redrawn") << QList<float>{0.0f, kind(2), 0.1f, 0.99f, 0.4f} << "n r1 n r0 n n n"
                                         << Drawn{2, 8, 2, 24, 16};
        QTest::newRow("3: reseed with n") << QList<float>{0.4995f, kind(3), 0.5f, 0.3f} << "n r500 n r0 n n r2"
                                          << Drawn{3, 4, 2, 20, 8};
        QTest::newRow("5: reseed with n") << QList<float>{0.9999f, kind(5), 0.7f, 0.99f} << "n r1000 n r0 n n r7"
                                          << Drawn{5, 6, 7, 42, 42};
        QTest::newRow("6: reseed with 0") << QList<float>{0.4995f, kind(6), 0.5f, 0.3f} << "n r500 n r0 n r0 n"
                                          << Drawn{6, 4, 3, 32, 12};
        QTest::newRow("8: tenths") << QList<float>{0.4995f, kind(8), 0.0f, 0.25f, 0.999f}
                                   << "n r500 n r0 n n r0 n" << Drawn{8, 2, 10, 20, 20};
        QTest::newRow("9: one half") << QList<float>{0.4995f, kind(9), 0.9999f, 0.9f} << "n r500 n r0 n r0 n"
                                     << Drawn{9, 90, 1, 180, 90};
    }
    void drawsAndReseedsFollowTheRecipe()
    {
        QFETCH(QList<float>, draws);
        QFETCH(QString, log);
        QFETCH(Drawn, drawn);
        ScriptedSource source{draws, {}};
        const Exercise e = poseExercise(source);
        QCOMPARE(source.log.join(u' '), log);
        QCOMPARE((Drawn{e.kind, e.base, e.numerator, e.whole, e.expectedAnswer}), drawn);
        // Each kind is drawn by the piece array with as many pieces as its denominator.
        for (int kind = 1; kind <= kExerciseKinds; ++kind)
            QCOMPARE(Layout::pieceArray(exerciseKindInfo(kind).pieceArray).count, exerciseKindInfo(kind).denominator);
    }

    // The game reseeds with 0 for every exercise: the draws that follow keep varying, within [0, 1).
    void reseedingWithZeroKeepsTheDrawsVarying()
    {
        Rng rng(31337);
        std::set<float> afterZero;
        for (int i = 0; i < 1000; ++i, rng.reseed(0))
            afterZero.insert(rng.next());
        QVERIFY(afterZero.size() > 990 && *afterZero.begin() >= 0 && *afterZero.rbegin() < 1);
    }

    void readsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Reading>("expected");
        const auto row = [](const char *name, const QString &text, Reading expected) {
            QTest::newRow(name) << text << expected;
        };
        row("empty", "", 0);
        row("leading zeros", "007", 7);
        row("stops at a letter", "12abc", 12);
        row("half rounds to even (down)", "2.5", 2);
        row("half rounds to even (up)", "3.5", 4);
        row("top of range", "32767", 32767);
        row("rounds out of range", "32767.5", std::nullopt);
        row("just below range", "-32769", std::nullopt);
        // Found by fuzzing: beyond what a double holds, the size decides, not the exponent's sign.
        row("huge despite a negative exponent", QString(330, u'2') + "e-2", std::nullopt);
        row("tiny despite a positive exponent", "0." + QString(400, u'0') + "1e5", 0);
        row("other digits", "\u0663", 0);
    }
    void readsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(Reading, expected);
        QCOMPARE(readAnswer(text), expected);
    }
};

QTEST_APPLESS_MAIN(ExercisesTest)
#include "test_exercises.moc"
