// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "facebutton.h"

#include "pictures.h"

#include <QPainter>
#include <qdrawutil.h>

FaceButton::FaceButton(const QColor &face, bool raised, QWidget *parent)
    : QToolButton(parent), m_face(face), m_raised(raised)
{
    setFocusPolicy(Qt::StrongFocus);
}

void FaceButton::setPictures(const char *normal, const char *disabled, const char *pressed)
{
    m_normal = normal;
    m_disabled = disabled;
    m_pressed = pressed;
    update();
}

void FaceButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, m_face);
    if (m_raised) {
        // The classic edge: white light, grey and black shadow, whatever the face.
        QPalette edge(m_face);
        edge.setColor(QPalette::Light, Qt::white);
        edge.setColor(QPalette::Midlight, m_face);
        edge.setColor(QPalette::Dark, Qt::darkGray);
        edge.setColor(QPalette::Shadow, Qt::black);
        qDrawWinButton(&painter, face, edge, isDown());
    } else {
        painter.setPen(Qt::black);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
    }

    // The picture and the caption sink by a pixel while the button is down.
    const QPoint shift = isDown() ? QPoint(1, 1) : QPoint();
    const int textHeight = fontMetrics().height();
    const int top = (height() - iconSize().height() - 2 - textHeight) / 2;
    const char *name = !isEnabled() && m_disabled ? m_disabled : isDown() && m_pressed ? m_pressed : m_normal;
    if (name) {
        const QPixmap picture = Pictures::picture(name, iconSize().width(), devicePixelRatioF());
        painter.drawPixmap(QPoint((width() - iconSize().width()) / 2, top) + shift, picture);
    }
    painter.setPen(isEnabled() ? Qt::black : QColor(96, 96, 96));
    painter.drawText(QRect(QPoint(0, top + iconSize().height() + 2) + shift, QSize(width(), textHeight)),
                     Qt::AlignHCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(face.adjusted(4, 4, -5, -5));
    }
}
