#pragma once

#include <cstdint>

class Rng;

// One exercise: "compute numerator/denominator of whole".
struct Exercise
{
    std::int16_t preliminaryDraw = 0; // 1..1000, only used to reseed the generator
    std::int16_t kind = 0;            // 1..9
    std::int16_t denominator = 0;     // d, 2..10
    std::int16_t base = 0;            // b: the value of one piece
    std::int16_t numerator = 0;       // n, 1..d
    std::int16_t whole = 0;           // N = b × d
    std::int16_t expectedAnswer = 0;  // N × n / d, always b × n
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

// Draws the next exercise. The draws and reseeds follow a fixed recipe, so the
// same generator state always poses the same exercise.
Exercise poseExercise(Rng &rng);

class QString;

// The exercise as a sentence for screen readers: "Calcola i 3 ottavi di 32",
// "Calcola un mezzo di 40".
QString spokenExercise(int numerator, int denominator, int whole);
