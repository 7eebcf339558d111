// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "facebutton.h"

#include <QPainter>
#include <qdrawutil.h>

FaceButton::FaceButton(const QColor &face, bool raised, QWidget *parent)
    : QToolButton(parent), m_face(face), m_raised(raised)
{
    setFocusPolicy(Qt::StrongFocus);
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
    QIcon picture = icon();
    QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    if (!isEnabled() && !m_disabledIcon.isNull()) {
        picture = m_disabledIcon;
        mode = QIcon::Normal; // a picture of its own, not a greyed one
    } else if (isDown() && !m_pressedIcon.isNull()) {
        picture = m_pressedIcon;
    }
    picture.paint(&painter, QRect(QPoint(0, top) + shift, QSize(width(), iconSize().height())),
                  Qt::AlignCenter, mode);
    painter.setPen(isEnabled() ? Qt::black : QColor(96, 96, 96));
    painter.drawText(QRect(QPoint(0, top + iconSize().height() + 2) + shift, QSize(width(), textHeight)),
                     Qt::AlignHCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(face.adjusted(4, 4, -5, -5));
    }
}
