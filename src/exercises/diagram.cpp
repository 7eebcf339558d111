#include "diagram.h"

#include <QPainter>

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

void Piece::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_fill);
    painter.setPen(QPen(m_border, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
