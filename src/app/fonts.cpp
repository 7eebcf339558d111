// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"

#include "layout.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// Windows has the fonts the layout names, but "MS Sans Serif" only as a
// bitmap font of a few sizes: its outline successor stands in for it there.
QString family(const char *named)
{
#ifdef Q_OS_WIN
    if (qstrcmp(named, "MS Sans Serif") == 0)
        return QStringLiteral("Microsoft Sans Serif");
#endif
    return QString::fromLatin1(named);
}

} // namespace

// Where the named fonts are missing (Linux; Windows without them).
void installFontSubstitutes()
{
    for (const char *sansSerif : {"MS Sans Serif", "Microsoft Sans Serif"})
        QFont::insertSubstitutions(QString::fromLatin1(sansSerif), QStringList
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitutions(QStringLiteral("Arial Black"), QStringList
                               {QStringLiteral("Lato"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

QFont layoutFont(const Layout::Font &wanted, double scale)
{
    const Layout::Font &f = wanted.family ? wanted : Layout::kWindowFont;
    QFont font(family(f.family));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(f.points * 96.0 / 72.0 * scale))));
    // Arial Black is a heavy face in its own right.
    if (qstrcmp(f.family, "Arial Black") == 0)
        font.setWeight(QFont::Black);
    else
        font.setWeight(f.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(f.italic);
    return font;
}
