// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "generator.h"

#include <QString>

#include <array>
#include <cassert>

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

} // namespace

ExerciseKindInfo exerciseKindInfo(int kind)
{
    assert(kind >= 1 && kind <= kExerciseKinds);
    return kKinds[static_cast<std::size_t>(kind - 1)];
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

QString spokenDiagram(int numerator, int denominator)
{
    const QString coloured = numerator == denominator ? QStringLiteral("tutte colorate")
                             : numerator == 1         ? QStringLiteral("la prima colorata")
                                                      : QStringLiteral("le prime %1 colorate").arg(numerator);
    return QStringLiteral("Segmento da A a B diviso in %1 parti uguali, %2").arg(denominator).arg(coloured);
}
