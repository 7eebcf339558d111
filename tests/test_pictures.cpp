// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pictures.h"

#include <QGuiApplication>
#include <QTest>

class PicturesTest : public QObject
{
    Q_OBJECT
private slots:
    void scaledScreensGetPixelsOfTheirOwn_data()
    {
        QTest::addColumn<qreal>("ratio");
        for (const qreal ratio : {1.25, 1.5, 2.0})
            QTest::addRow("%g", ratio) << ratio;
    }

    void scaledScreensGetPixelsOfTheirOwn()
    {
        QFETCH(qreal, ratio);
        const QSize pixels = QSize(32, 32) * ratio;
        const auto image = [](const QPixmap &p) { return p.toImage().convertToFormat(QImage::Format_ARGB32); };
        for (const char *name : {"face-smile", "face-laugh", "noentry", "stopwatch"}) {
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
                const QIcon icon = Pictures::picture(name, "face-neutral");
                const QImage sharp = image(icon.pixmap(QSize(32, 32), ratio, mode));
                const QImage small = image(icon.pixmap(QSize(32, 32), 1, mode));
                QCOMPARE(sharp.size(), pixels);
                QVERIFY(sharp != small.scaled(pixels)
                        && sharp != small.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            }
        }
        // The hot spot is on the pointer's tip: X takes it in the pointer's own pixels, the others in points.
        const QCursor cursor = Pictures::faceCursor(ratio);
        const QImage pointer = cursor.pixmap().toImage();
        const qreal unit = QGuiApplication::platformName() == QLatin1String("xcb") ? 1 : ratio;
        const QPoint tip(int(cursor.hotSpot().x() * unit), int(cursor.hotSpot().y() * unit));
        QCOMPARE(pointer.size(), pixels);
        QVERIFY(qAlpha(pointer.pixel(tip)) == 255 && qAlpha(pointer.pixel(tip - QPoint(1, 1))) == 0);
    }
};

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
