// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The game's pseudo-random generator.
//
// It is splitmix64 (Steele, Lea & Flood, "Fast splittable pseudorandom number
// generators", 2014): a 64-bit counter stepped by the golden-ratio increment and
// passed through a strong mixing function. Reseeding folds a 16-bit number into
// the running state instead of replacing it, so the exercise generator can
// reseed with the same small numbers (0 included) on every exercise and still
// get different draws each time.
class Rng
{
public:
    explicit Rng(std::uint64_t state = 0) : m_state(state) {}

    // A value uniformly distributed in [0, 1); never 1.0.
    float next();

    // Mixes k into the current state.
    void reseed(std::int16_t k);

    // Seeds from the time of day (seconds since midnight), as the game does at
    // start-up; mixes into the state like reseed().
    void reseedFromTimeOfDay(float secondsSinceMidnight);

private:
    std::uint64_t nextBits();

    std::uint64_t m_state;
};
