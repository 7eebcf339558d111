// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rng.h"

#include <bit>
#include <cstring>

namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15ull;

std::uint64_t mix64(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

std::uint64_t Rng::nextBits()
{
    m_state += kGoldenGamma;
    return mix64(m_state);
}

float Rng::next()
{
    // The top 24 bits fill a float's mantissa exactly: multiples of 2^-24 in
    // [0, 1 - 2^-24], so rounding can never produce 1.0.
    return static_cast<float>(nextBits() >> 40) * 0x1.0p-24f;
}

void Rng::reseed(std::int16_t k)
{
    // Tagging the number keeps reseed(0) from being a no-op on the state.
    const auto tagged = (std::uint64_t{0x5EED} << 32) | static_cast<std::uint16_t>(k);
    m_state = mix64(m_state ^ mix64(tagged));
}

void Rng::reseedFromTimeOfDay(float secondsSinceMidnight)
{
    const auto bits = std::bit_cast<std::uint32_t>(secondsSinceMidnight);
    m_state = mix64(m_state ^ mix64((std::uint64_t{0x71AE} << 32) | bits));
}
