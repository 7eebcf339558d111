// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercises' pure logic: the generator's recipe, many exercises in a row,
// the answer box's reader and check, the sentences a screen reader speaks.
#include "app/layout.h"
#include "exercises/answer.h"
#include "exercises/generator.h"
#include "exercises/rng.h"

#include <QtTest>

using Drawn = std::tuple<int, int, int, int, int>; // kind, base, numerator, whole, answer
using Reading = std::optional<std::int16_t>;
Q_DECLARE_METATYPE(Drawn)
Q_DECLARE_METATYPE(Reading)

// Draws given by the test; what the generator asked for logged: "n" a draw, "rK" a reseed with K.
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
        QTest::newRow("1: base 0 kept") << QList<float>{0.4995f, kind(1), 0.1f, 0.99f} << "n r500 n r0 n n" << Drawn{1, 0, 4, 0, 0};
        QTest::newRow("2: base redrawn") << QList<float>{0.0f, kind(2), 0.1f, 0.99f, 0.4f} << "n r1 n r0 n n n" << Drawn{2, 8, 2, 24, 16};
        QTest::newRow("3: reseed with n") << QList<float>{0.4995f, kind(3), 0.5f, 0.3f} << "n r500 n r0 n n r2" << Drawn{3, 4, 2, 20, 8};
        QTest::newRow("5: reseed with n") << QList<float>{0.9999f, kind(5), 0.7f, 0.99f} << "n r1000 n r0 n n r7" << Drawn{5, 6, 7, 42, 42};
        QTest::newRow("6: reseed with 0") << QList<float>{0.4995f, kind(6), 0.5f, 0.3f} << "n r500 n r0 n r0 n" << Drawn{6, 4, 3, 32, 12};
        QTest::newRow("9: one half") << QList<float>{0.4995f, kind(9), 0.9999f, 0.9f} << "n r500 n r0 n r0 n" << Drawn{9, 90, 1, 180, 90};
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
    }

    // Many exercises in a row, as a game poses them, reseeding with 0 each
    // time: every kind about as often as the others, each one a whole
    // fraction of its number.
    void manyExercisesInARow()
    {
        Rng rng;
        rng.reseedFromTimeOfDay(36000.5f);
        std::array<int, 10> kinds{};
        const int n = 9000;
        for (int i = 0; i < n; ++i) {
            const Exercise e = poseExercise(rng);
            ++kinds[std::size_t(e.kind)];
            const auto pieces = Layout::pieceArray(exerciseKindInfo(e.kind).pieceArray).count;
            QVERIFY(e.denominator == pieces && e.numerator >= 1 && e.numerator <= e.denominator);
            QCOMPARE(e.expectedAnswer * e.denominator, e.whole * e.numerator);
            QVERIFY(e.kind == 9 ? e.numerator == 1 && e.whole % 4 == 0 && e.whole <= 180
                                : e.whole <= 8 * e.denominator && e.whole % (2 * e.denominator) == 0);
            QVERIFY(e.whole > 0 || e.kind == 1);
        }
        for (int kind = 1; kind <= 9; ++kind) // a ninth each, give or take five standard deviations
            QVERIFY2(std::abs(kinds[std::size_t(kind)] - n / 9) < 150, qPrintable(QString::number(kinds[std::size_t(kind)])));
    }

    void readsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Reading>("expected");
        const auto row = [](const char *name, const QString &text, Reading expected) { QTest::newRow(name) << text << expected; };
        row("empty", "", 0);
        row("leading zeros", "007", 7);
        row("zero", "0", 0);
        row("a number", "12", 12);
        row("a sign", "-12", -12);
        row("blanks, then a sign", " \t+7", 7);
        row("stops at a letter", "12abc", 12);
        row("half rounds to even", "2.5", 2);
        row("an exponent, and a half up to even", "3.5e0", 4);
        row("top of range", "32767", 32767);
        row("rounds out of range", "32767.5", std::nullopt);
        row("just below range", "-32769", std::nullopt);
        // Found by fuzzing: beyond what a double holds, the size decides, not the exponent's sign.
        row("huge despite a negative exponent", QString(330, u'2') + "e-2", std::nullopt);
        row("tiny despite a positive exponent", "0." + QString(400, u'0') + "1e5", 0);
    }
    // What the box holds is a right answer exactly for the number read from it (3/4 of 0 with the box empty).
    void readsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(Reading, expected);
        QCOMPARE(readAnswer(text), expected);
        for (const int answer : {0, 12, 90, -12, 7, 32767})
            QCOMPARE(isRightAnswer(text, std::int16_t(answer)), expected == answer);
    }

    void speaksTheExerciseAndItsDiagram_data()
    {
        QTest::addColumn<QList<int>>("exercise"); // n, d, N
        QTest::addColumn<QString>("spoken");
        QTest::newRow("one half") << QList{1, 2, 40} << "Calcola un mezzo di 40 · diviso in 2 parti uguali, la prima colorata";
        QTest::newRow("one tenth") << QList{1, 10, 20} << "Calcola un decimo di 20 · diviso in 10 parti uguali, la prima colorata";
        QTest::newRow("three eighths") << QList{3, 8, 64} << "Calcola i 3 ottavi di 64 · diviso in 8 parti uguali, le prime 3 colorate";
        QTest::newRow("two thirds") << QList{2, 3, 6} << "Calcola i 2 terzi di 6 · diviso in 3 parti uguali, le prime 2 colorate";
        QTest::newRow("all of them") << QList{7, 7, 0} << "Calcola i 7 settimi di 0 · diviso in 7 parti uguali, tutte colorate";
    }
    void speaksTheExerciseAndItsDiagram()
    {
        QFETCH(QList<int>, exercise);
        QFETCH(QString, spoken);
        QCOMPARE(spokenExercise(exercise[0], exercise[1], exercise[2]) + " · "
                     + spokenDiagram(exercise[0], exercise[1]).remove("Segmento da A a B "),
                 spoken);
    }
};

QTEST_APPLESS_MAIN(ExercisesTest)
#include "test_exercises.moc"
