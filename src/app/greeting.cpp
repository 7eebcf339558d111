// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "greeting.h"

#include "label.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>

QString greeting(const QString &name, const QScreen *screen)
{
    const int room = screen ? screen->availableGeometry().width() / 2 : 400;
    const QString shown = QFontMetrics(QApplication::font("QMessageBox")).elidedText(name, Qt::ElideRight, room);
    return u' ' + isolated(shown) + QStringLiteral(" vediamo se sei un vero campione  ");
}
