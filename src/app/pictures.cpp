// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <initializer_list>

// The pictures are resources of a static library, which the linker would
// leave out of a program that never names them: this file names them.
static void registerPictures()
{
    Q_INIT_RESOURCE(quotello);
}
Q_CONSTRUCTOR_FUNCTION(registerPictures)

namespace Pictures {
namespace {

// `path` has the size in pixels as %1.
void addSizes(QIcon &icon, const QString &path, std::initializer_list<int> pixels)
{
    for (const int n : pixels)
        icon.addFile(path.arg(n), QSize(n, n));
}

QString picturePath(QAnyStringView name)
{
    return QStringLiteral(":/pictures/") + name.toString() + QStringLiteral("-%1.png");
}

class ScreenScaleFollower : public QObject
{
public:
    ScreenScaleFollower(QWidget *widget, std::function<void(qreal)> apply) : QObject(widget), m_apply(std::move(apply))
    {
        widget->installEventFilter(this);
        m_apply(widget->devicePixelRatio());
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Qt sends it to every widget of a window that has moved to another screen.
        if (event->type() == QEvent::ScreenChangeInternal)
            m_apply(static_cast<QWidget *>(watched)->devicePixelRatio());
        return false;
    }

private:
    std::function<void(qreal)> m_apply;
};

} // namespace

QIcon picture(QAnyStringView name)
{
    // 16 pixels is a drawing of its own; 32, 40, 48 and 64 are one drawing at
    // the scales 1, 1.25, 1.5 and 2.
    QIcon icon;
    addSizes(icon, picturePath(name), {16, 32, 40, 48, 64});
    return icon;
}

QIcon applicationIcon()
{
    QIcon icon;
    addSizes(icon, QStringLiteral(":/icons/hicolor/%1x%1/apps/quotello.png"), {16, 32, 48, 64, 128});
    return icon;
}

QCursor faceCursor(qreal devicePixelRatio)
{
    QIcon face;
    addSizes(face, picturePath("cursor-face"), {32, 40, 48, 64});
    const QPixmap pixmap = face.pixmap(QSize(32, 32), devicePixelRatio);
    // The hot spot is the pointer's tip, pixel (1, 1) of the 32-pixel drawing.
    // X shows the pixmap's own pixels, whatever its ratio, and takes the hot
    // spot in them; the other platforms scale both themselves.
    const int tip = QGuiApplication::platformName() == QLatin1String("xcb") ? int(pixmap.devicePixelRatio()) : 1;
    return QCursor(pixmap, tip, tip);
}

void followScreenScale(QWidget *widget, std::function<void(qreal)> apply)
{
    new ScreenScaleFollower(widget, std::move(apply));
}

} // namespace Pictures
