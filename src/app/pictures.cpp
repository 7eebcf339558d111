// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QPixmapCache>

#include <algorithm>
#include <array>
#include <cmath>

// The pictures are resources of a static library, which the linker would
// leave out of a program that never names them: this file names them.
static void registerPictures()
{
    Q_INIT_RESOURCE(quotello);
}
Q_CONSTRUCTOR_FUNCTION(registerPictures)

namespace Pictures {
namespace {

// The sizes each picture is drawn at; 16 is a drawing of its own.
constexpr std::array kDrawn{16, 24, 32, 40, 48, 56, 64, 80, 96};

QString drawing(QAnyStringView name, int pixels)
{
    return QStringLiteral(":/pictures/%1-%2.png").arg(name.toString()).arg(pixels);
}

// The drawing at `pixels` if there is one, else the largest smaller one
// (the smallest there is for smaller sizes).
QString bestDrawing(QAnyStringView name, int pixels)
{
    QString best;
    for (const int size : kDrawn) {
        const QString path = drawing(name, size);
        if ((size <= pixels || best.isEmpty()) && QFile::exists(path))
            best = path;
    }
    return best;
}

} // namespace

QPixmap picture(QAnyStringView name, qreal points, qreal devicePixelRatio)
{
    // Kept with its ratio set: a button asks again at every repaint, and a
    // shared pixmap given another ratio is copied.
    const QString key = QStringLiteral("quotello:%1:%2:%3").arg(name.toString()).arg(points).arg(devicePixelRatio);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        const int pixels = std::max(1, int(std::lround(points * devicePixelRatio)));
        pixmap.load(bestDrawing(name, pixels));
        if (pixmap.width() != pixels)
            pixmap = pixmap.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        pixmap.setDevicePixelRatio(qreal(pixels) / points);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int n : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/quotello.png").arg(n), QSize(n, n));
    return icon;
}

QCursor faceCursor(qreal points, qreal devicePixelRatio)
{
    const QPixmap pixmap = picture("cursor-face", points, devicePixelRatio);
    // The hot spot is the pointer's tip, pixel (1, 1) of the 32-pixel drawing.
    // X shows the pixmap's own pixels, whatever its ratio, and takes the hot
    // spot in them; the other platforms scale both themselves.
    const qreal perPoint = QGuiApplication::platformName() == QLatin1String("xcb") ? pixmap.devicePixelRatio() : 1;
    const int tip = std::max(1, int(std::lround(points / 32 * perPoint)));
    return QCursor(pixmap, tip, tip);
}

} // namespace Pictures
