#include "exercises/generator.h"
#include "exercises/rng.h"

#include <QString>
#include <QtTest>

#include <map>
#include <set>
#include <tuple>

class ExercisesTest : public QObject
{
    Q_OBJECT

private slots:
    void drawsLieInTheUnitInterval();
    void reseedingWithTheSameNumberKeepsVarying();
    void sameStatePosesTheSameExercises();
    void exercisesFollowTheTableOfKinds();
    void everyExerciseOfTheTableComesUp();
    void exercisesReadAsSentences();
};

void ExercisesTest::drawsLieInTheUnitInterval()
{
    Rng rng(12345);
    double sum = 0;
    constexpr int kDraws = 200000;
    for (int i = 0; i < kDraws; ++i) {
        const float r = rng.next();
        QVERIFY2(r >= 0.0f && r < 1.0f, qPrintable(QString::number(r)));
        sum += r;
    }
    QVERIFY(qAbs(sum / kDraws - 0.5) < 0.01);

    // A state whose next bits are all ones must still give a value below 1.
    Rng top(0);
    bool sawHigh = false;
    for (int i = 0; i < 1 << 20 && !sawHigh; ++i)
        sawHigh = top.next() > 0.99999f;
    QVERIFY(sawHigh);
}

void ExercisesTest::reseedingWithTheSameNumberKeepsVarying()
{
    // The exercises reseed with 0 every time; what follows must not repeat.
    Rng rng(7);
    std::set<float> afterZero;
    for (int i = 0; i < 1000; ++i) {
        rng.reseed(0);
        afterZero.insert(rng.next());
    }
    QVERIFY(afterZero.size() > 990);

    // Reseeding does change the state, even with 0.
    Rng a(99), b(99);
    b.reseed(0);
    QVERIFY(a.next() != b.next());
}

void ExercisesTest::sameStatePosesTheSameExercises()
{
    Rng a(2026), b(2026);
    for (int i = 0; i < 50; ++i) {
        const Exercise x = poseExercise(a);
        const Exercise y = poseExercise(b);
        QCOMPARE(std::tie(x.kind, x.base, x.numerator, x.whole, x.expectedAnswer),
                 std::tie(y.kind, y.base, y.numerator, y.whole, y.expectedAnswer));
    }
}

namespace {

const std::map<int, int> kDenominatorOfKind{{1, 4}, {2, 3}, {3, 5}, {4, 6}, {5, 7},
                                           {6, 8}, {7, 9}, {8, 10}, {9, 2}};

// Every (kind, base, numerator) the game may pose.
std::set<std::tuple<int, int, int>> possibleExercises()
{
    std::set<std::tuple<int, int, int>> all;
    for (int b : {0, 2, 4, 6, 8})
        for (int n = 1; n <= 4; ++n)
            all.insert({1, b, n});
    for (int kind = 2; kind <= 8; ++kind)
        for (int b : {2, 4, 6, 8})
            for (int n = 1; n <= kDenominatorOfKind.at(kind); ++n)
                all.insert({kind, b, n});
    for (int b = 2; b <= 90; b += 2)
        all.insert({9, b, 1});
    return all;
}

} // namespace

void ExercisesTest::exercisesFollowTheTableOfKinds()
{
    const auto possible = possibleExercises();
    QCOMPARE(possible.size(), std::size_t{257});

    Rng rng(424242);
    std::map<int, int> kinds;
    constexpr int kExercises = 100000;
    for (int i = 0; i < kExercises; ++i) {
        const Exercise e = poseExercise(rng);
        QVERIFY2(possible.count({e.kind, e.base, e.numerator}),
                 qPrintable(QStringLiteral("kind %1 base %2 numerator %3").arg(e.kind).arg(e.base).arg(e.numerator)));
        QCOMPARE(int{e.denominator}, kDenominatorOfKind.at(e.kind));
        QCOMPARE(exerciseKindInfo(e.kind).denominator, e.denominator);
        QCOMPARE(int{e.whole}, e.base * e.denominator);
        QCOMPARE(int{e.expectedAnswer}, e.base * e.numerator);
        QCOMPARE(e.expectedAnswer * e.denominator, e.whole * e.numerator);
        QVERIFY(e.preliminaryDraw >= 1 && e.preliminaryDraw <= 1000);
        ++kinds[e.kind];
    }
    QCOMPARE(kinds.size(), std::size_t{9});
    for (const auto &[kind, count] : kinds)
        QVERIFY2(qAbs(count - kExercises / 9) < kExercises / 100,
                 qPrintable(QStringLiteral("kind %1 came %2 times").arg(kind).arg(count)));
}

void ExercisesTest::everyExerciseOfTheTableComesUp()
{
    auto missing = possibleExercises();
    Rng rng(31337);
    bool wholeOfZero = false;
    for (int i = 0; i < 200000 && !missing.empty(); ++i) {
        const Exercise e = poseExercise(rng);
        missing.erase({e.kind, e.base, e.numerator});
        wholeOfZero = wholeOfZero || (e.whole == 0 && e.expectedAnswer == 0);
    }
    QVERIFY2(missing.empty(), qPrintable(QStringLiteral("%1 never posed").arg(missing.size())));
    QVERIFY(wholeOfZero);

    // The piece arrays: one per kind, all different.
    std::set<int> arrays;
    for (int kind = 1; kind <= kExerciseKinds; ++kind)
        arrays.insert(exerciseKindInfo(kind).pieceArray);
    QCOMPARE(arrays, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(exerciseKindInfo(6).pieceArray, 6);
    QCOMPARE(exerciseKindInfo(9).pieceArray, 9);
}

void ExercisesTest::exercisesReadAsSentences()
{
    QCOMPARE(spokenExercise(3, 8, 32), QStringLiteral("Calcola i 3 ottavi di 32"));
    QCOMPARE(spokenExercise(1, 2, 40), QStringLiteral("Calcola un mezzo di 40"));
    QCOMPARE(spokenExercise(10, 10, 80), QStringLiteral("Calcola i 10 decimi di 80"));
    QCOMPARE(spokenExercise(2, 3, 0), QStringLiteral("Calcola i 2 terzi di 0"));
    QCOMPARE(spokenExercise(1, 7, 14), QStringLiteral("Calcola un settimo di 14"));
    // Numbers the game never poses still read sensibly.
    QCOMPARE(spokenExercise(2, 11, 22), QStringLiteral("Calcola i 2/11 di 22"));
}

QTEST_APPLESS_MAIN(ExercisesTest)
#include "test_exercises.moc"
