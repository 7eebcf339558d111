// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>

class QString;

// One exercise: "compute numerator/denominator of whole".
struct Exercise
{
    std::int16_t kind = 0;           // 1..9
    std::int16_t denominator = 0;    // d, 2..10
    std::int16_t base = 0;           // b: the value of one piece
    std::int16_t numerator = 0;      // n, 1..d
    std::int16_t whole = 0;          // N = b × d
    std::int16_t expectedAnswer = 0; // N × n / d, always b × n
};

// What each exercise kind asks: its denominator and the piece array that
// draws it (Shape1 … Shape9).
struct ExerciseKindInfo
{
    std::int16_t denominator;
    int pieceArray;
};

inline constexpr int kExerciseKinds = 9;

// Kinds are numbered 1..9.
ExerciseKindInfo exerciseKindInfo(int kind);

// Where the draws come from: next() is uniform in [0, 1); reseed(k) folds a
// number into the running state.
template <typename Source>
concept RandomSource = requires(Source source, std::int16_t k) {
    { source.next() } -> std::convertible_to<float>;
    source.reseed(k);
};

namespace detail {
// Int(r × scale): products are formed in double precision from the float draw.
inline std::int16_t intOf(float r, double scale)
{
    return static_cast<std::int16_t>(std::floor(static_cast<double>(r) * scale));
}
} // namespace detail

// Draws the next exercise. The draws and reseeds follow a fixed recipe, so the
// same generator state always poses the same exercise.
template <RandomSource Source>
Exercise poseExercise(Source &source)
{
    using detail::intOf;
    Exercise e;
    // A preliminary draw only picks the number to reseed with.
    source.reseed(static_cast<std::int16_t>(intOf(source.next(), 1000) + 1));
    e.kind = static_cast<std::int16_t>(std::floor(static_cast<double>(source.next()) * 9 + 1));
    e.denominator = exerciseKindInfo(e.kind).denominator;

    source.reseed(e.base); // the base is still 0 here
    if (e.kind == 9) {
        e.base = static_cast<std::int16_t>(2 * intOf(source.next(), 45) + 2);
    } else {
        // Kind 1 keeps its first draw and so may pose "of 0"; the others
        // redraw until the base is at least 2.
        do {
            e.base = static_cast<std::int16_t>(2 * intOf(source.next(), 5));
        } while (e.kind != 1 && e.base < 2);
    }

    if (e.kind >= 6)
        source.reseed(e.numerator); // still 0

    const float r = source.next();
    e.numerator = static_cast<std::int16_t>(intOf(r, e.kind == 9 ? 1 : e.denominator) + 1);
    e.whole = static_cast<std::int16_t>(e.base * e.denominator);

    if (e.kind >= 3 && e.kind <= 5)
        source.reseed(e.numerator);

    // N × n / d divides exactly (N = b × d); rounding to nearest only guards
    // against a representation error that cannot occur at these magnitudes.
    const int product = e.whole * e.numerator;
    e.expectedAnswer = static_cast<std::int16_t>(
        std::nearbyint(static_cast<double>(product) / static_cast<double>(e.denominator)));
    return e;
}

// The exercise as a sentence for screen readers: "Calcola i 3 ottavi di 32",
// "Calcola un mezzo di 40".
QString spokenExercise(int numerator, int denominator, int whole);

// Its diagram as a sentence: "Segmento da A a B diviso in 8 parti uguali, le
// prime 3 colorate".
QString spokenDiagram(int numerator, int denominator);
