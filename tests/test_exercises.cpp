#include "exercises/generator.h"
#include "exercises/rng.h"

#include <QtTest>

#include <set>
#include <tuple>

// Draws given by the test, and a log of what the generator asked for:
// "n" for a draw, "rK" for a reseed with K.
struct ScriptedSource
{
    QList<float> draws;
    QStringList log;

    float next()
    {
        log << QStringLiteral("n");
        return draws.isEmpty() ? 0.5f : draws.takeFirst();
    }
    void reseed(std::int16_t k) { log << QStringLiteral("r%1").arg(k); }
};

class ExercisesTest : public QObject
{
    Q_OBJECT

private slots:
    void drawsAndReseedsFollowTheRecipe_data();
    void drawsAndReseedsFollowTheRecipe();
    void theGeneratorPosesEveryExerciseAndOnlyThose();
    void reseedingWithZeroKeepsTheDrawsVarying();
    void exercisesReadAsSentences_data();
    void exercisesReadAsSentences();
};

using Drawn = std::tuple<int, int, int, int, int>; // kind, base, numerator, whole, answer
Q_DECLARE_METATYPE(Drawn)

void ExercisesTest::drawsAndReseedsFollowTheRecipe_data()
{
    QTest::addColumn<QList<float>>("draws");
    QTest::addColumn<QString>("log");
    QTest::addColumn<Drawn>("drawn");

    // The first draw picks the number to reseed with (here 500), the second
    // the kind: r × 9 + 1.
    const auto kind = [](int k) { return float(k - 1) / 9 + 0.05f; };
    QTest::newRow("1: base 0 kept") << QList<float>{0.4995f, kind(1), 0.1f, 0.99f}
                                    << "n r500 n r0 n n" << Drawn{1, 0, 4, 0, 0};
    QTest::newRow("2: base redrawn") << QList<float>{0.0f, kind(2), 0.1f, 0.99f, 0.4f}
                                     << "n r1 n r0 n n n" << Drawn{2, 8, 2, 24, 16};
    QTest::newRow("3: reseed with n") << QList<float>{0.4995f, kind(3), 0.5f, 0.3f}
                                      << "n r500 n r0 n n r2" << Drawn{3, 4, 2, 20, 8};
    QTest::newRow("5: reseed with n") << QList<float>{0.9999f, kind(5), 0.7f, 0.99f}
                                      << "n r1000 n r0 n n r7" << Drawn{5, 6, 7, 42, 42};
    QTest::newRow("6: reseed with 0") << QList<float>{0.4995f, kind(6), 0.5f, 0.3f}
                                      << "n r500 n r0 n r0 n" << Drawn{6, 4, 3, 32, 12};
    QTest::newRow("8: tenths") << QList<float>{0.4995f, kind(8), 0.0f, 0.25f, 0.999f}
                               << "n r500 n r0 n n r0 n" << Drawn{8, 2, 10, 20, 20};
    QTest::newRow("9: one half") << QList<float>{0.4995f, kind(9), 0.9999f, 0.9f}
                                 << "n r500 n r0 n r0 n" << Drawn{9, 90, 1, 180, 90};
}

void ExercisesTest::drawsAndReseedsFollowTheRecipe()
{
    QFETCH(QList<float>, draws);
    QFETCH(QString, log);
    QFETCH(Drawn, drawn);

    ScriptedSource source{draws, {}};
    const Exercise e = poseExercise(source);
    QCOMPARE(source.log.join(u' '), log);
    QCOMPARE((Drawn{e.kind, e.base, e.numerator, e.whole, e.expectedAnswer}), drawn);
    QCOMPARE(e.denominator, exerciseKindInfo(e.kind).denominator);
}

void ExercisesTest::theGeneratorPosesEveryExerciseAndOnlyThose()
{
    std::set<std::tuple<int, int, int>> possible; // kind, base, numerator
    for (int kind = 1; kind <= 8; ++kind)
        for (int b = kind == 1 ? 0 : 2; b <= 8; b += 2)
            for (int n = 1; n <= exerciseKindInfo(kind).denominator; ++n)
                possible.insert({kind, b, n});
    for (int b = 2; b <= 90; b += 2)
        possible.insert({9, b, 1});
    QCOMPARE(possible.size(), std::size_t{257});

    Rng rng(31337);
    std::set<std::tuple<int, int, int>> posed;
    for (int i = 0; i < 100000; ++i) {
        const Exercise e = poseExercise(rng);
        QVERIFY(possible.count({e.kind, e.base, e.numerator}));
        QCOMPARE(e.expectedAnswer * e.denominator, e.whole * e.numerator);
        posed.insert({e.kind, e.base, e.numerator});
    }
    QCOMPARE(posed, possible);
}

void ExercisesTest::reseedingWithZeroKeepsTheDrawsVarying()
{
    Rng rng(7);
    std::set<float> afterZero;
    for (int i = 0; i < 1000; ++i) {
        rng.reseed(0);
        const float r = rng.next();
        QVERIFY(r >= 0.0f && r < 1.0f);
        afterZero.insert(r);
    }
    QVERIFY(afterZero.size() > 990);
}

void ExercisesTest::exercisesReadAsSentences_data()
{
    QTest::addColumn<QList<int>>("exercise"); // numerator, denominator, whole
    QTest::addColumn<QString>("sentence");
    QTest::newRow("eighths") << QList<int>{3, 8, 32} << "Calcola i 3 ottavi di 32";
    QTest::newRow("one half") << QList<int>{1, 2, 40} << "Calcola un mezzo di 40";
    QTest::newRow("tenths") << QList<int>{10, 10, 80} << "Calcola i 10 decimi di 80";
    QTest::newRow("of zero") << QList<int>{2, 4, 0} << "Calcola i 2 quarti di 0";
    QTest::newRow("a seventh") << QList<int>{1, 7, 14} << "Calcola un settimo di 14";
}

void ExercisesTest::exercisesReadAsSentences()
{
    QFETCH(QList<int>, exercise);
    QFETCH(QString, sentence);
    QCOMPARE(spokenExercise(exercise[0], exercise[1], exercise[2]), sentence);
}

QTEST_APPLESS_MAIN(ExercisesTest)
#include "test_exercises.moc"
