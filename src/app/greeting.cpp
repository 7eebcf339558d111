// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "greeting.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>

#include <algorithm>

QString isolated(const QString &name)
{
    const bool plain = std::all_of(name.begin(), name.end(), [](QChar c) {
        switch (c.direction()) {
        case QChar::DirL: case QChar::DirEN: case QChar::DirES: case QChar::DirET: case QChar::DirCS:
        case QChar::DirWS: case QChar::DirON: case QChar::DirBN: case QChar::DirNSM: case QChar::DirS:
            return true;
        default: // right to left, Arabic numbers, or explicit direction marks
            return false;
        }
    });
    return plain ? name : QChar(0x2068) + name + QChar(0x2069); // first strong isolate … pop
}

QString greeting(const QString &name, const QScreen *screen)
{
    const int room = screen ? screen->availableGeometry().width() / 2 : 400;
    const QString shown = QFontMetrics(QApplication::font("QMessageBox")).elidedText(name, Qt::ElideRight, room);
    return u' ' + isolated(shown) + QStringLiteral(" vediamo se sei un vero campione  ");
}
