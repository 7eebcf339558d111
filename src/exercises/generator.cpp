#include "generator.h"

#include "rng.h"

#include <QString>

#include <array>
#include <cassert>
#include <cmath>

namespace {

constexpr std::array<ExerciseKindInfo, kExerciseKinds> kKinds{{
    {4, 1},  // kind 1: quarters, Shape1
    {3, 2},  // kind 2: thirds, Shape2
    {5, 3},  // kind 3: fifths, Shape3
    {6, 4},  // kind 4: sixths, Shape4
    {7, 5},  // kind 5: sevenths, Shape5
    {8, 6},  // kind 6: eighths, Shape6
    {9, 7},  // kind 7: ninths, Shape7
    {10, 8}, // kind 8: tenths, Shape8
    {2, 9},  // kind 9: halves, Shape9
}};

// Int(r × scale): products are formed in double precision from the float draw.
std::int16_t intOf(float r, double scale)
{
    return static_cast<std::int16_t>(std::floor(static_cast<double>(r) * scale));
}

} // namespace

ExerciseKindInfo exerciseKindInfo(int kind)
{
    assert(kind >= 1 && kind <= kExerciseKinds);
    return kKinds[static_cast<std::size_t>(kind - 1)];
}

Exercise poseExercise(Rng &rng)
{
    Exercise e;
    e.preliminaryDraw = static_cast<std::int16_t>(intOf(rng.next(), 1000) + 1);
    rng.reseed(e.preliminaryDraw);
    e.kind = static_cast<std::int16_t>(std::floor(static_cast<double>(rng.next()) * 9 + 1));

    const ExerciseKindInfo info = exerciseKindInfo(e.kind);
    e.denominator = info.denominator;

    rng.reseed(e.base); // the base is still 0 here
    if (e.kind == 9) {
        e.base = static_cast<std::int16_t>(2 * intOf(rng.next(), 45) + 2);
    } else {
        // Kind 1 keeps its first draw and so may pose "of 0"; the others
        // redraw until the base is at least 2.
        do {
            e.base = static_cast<std::int16_t>(2 * intOf(rng.next(), 5));
        } while (e.kind != 1 && e.base < 2);
    }

    if (e.kind >= 6)
        rng.reseed(e.numerator); // still 0

    const float r = rng.next();
    e.numerator = (e.kind == 9) ? static_cast<std::int16_t>(intOf(r, 1) + 1)
                                : static_cast<std::int16_t>(intOf(r, e.denominator) + 1);

    e.whole = static_cast<std::int16_t>(e.base * e.denominator);

    if (e.kind >= 3 && e.kind <= 5)
        rng.reseed(e.numerator);

    // N × n / d divides exactly (N = b × d); rounding to nearest only guards
    // against a representation error that cannot occur at these magnitudes.
    const int product = e.whole * e.numerator;
    e.expectedAnswer = static_cast<std::int16_t>(
        std::nearbyint(static_cast<double>(product) / static_cast<double>(e.denominator)));
    return e;
}

QString spokenExercise(int numerator, int denominator, int whole)
{
    static const char *const kSingular[] = {"mezzo", "terzo",   "quarto", "quinto", "sesto",
                                            "settimo", "ottavo", "nono",   "decimo"};
    static const char *const kPlural[] = {"mezzi",   "terzi",  "quarti", "quinti", "sesti",
                                          "settimi", "ottavi", "noni",   "decimi"};
    if (denominator < 2 || denominator > 10)
        return QStringLiteral("Calcola i %1/%2 di %3").arg(numerator).arg(denominator).arg(whole);
    const auto index = static_cast<std::size_t>(denominator - 2);
    if (numerator == 1)
        return QStringLiteral("Calcola un %1 di %2").arg(QLatin1String(kSingular[index])).arg(whole);
    return QStringLiteral("Calcola i %1 %2 di %3")
        .arg(numerator)
        .arg(QLatin1String(kPlural[index]))
        .arg(whole);
}
