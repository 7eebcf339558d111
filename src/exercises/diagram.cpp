// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diagram.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

Piece::Piece(QWidget *parent) : QWidget(parent) {}

void Piece::setFillColor(const QColor &color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    update();
}

void Piece::setBorderColor(const QColor &color)
{
    if (color == m_border)
        return;
    m_border = color;
    update();
}

// On a screen scaled by a fraction (1.25, 1.5, …) a piece's edges fall
// between device pixels, where a neighbour or the clip would hide a border
// drawn on them. The piece is drawn on the device pixels wholly its own, its
// border as wide as a logical pixel rounds to: every piece always shows.
void Piece::paintEvent(QPaintEvent *)
{
    const qreal scale = devicePixelRatioF();
    const QPointF origin = QPointF(mapTo(window(), QPoint(0, 0))) * scale;
    const QRectF device(origin, QSizeF(size()) * scale);
    const QRectF own(QPointF(std::ceil(device.left()), std::ceil(device.top())),
                     QPointF(std::floor(device.right()), std::floor(device.bottom())));
    const qreal edge = std::max<qreal>(1, std::round(scale));
    const auto logical = [&](const QRectF &r) { return QRectF((r.topLeft() - origin) / scale, r.size() / scale); };

    QPainter painter(this);
    painter.fillRect(logical(own), m_border);
    painter.fillRect(logical(own.adjusted(edge, edge, -edge, -edge)), m_fill);
}
