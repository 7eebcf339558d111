// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QToolButton>

// A push button painted in the flat colours of the desktop the game was drawn
// for: a face of one colour, the picture above the caption, and either a
// raised three-dimensional edge or a thin flat one. The keyboard focus shows
// as a dotted rectangle inside the face, so neither edge is ever lost to it.
class FaceButton : public QToolButton
{
    Q_OBJECT

public:
    FaceButton(const QColor &face, bool raised, QWidget *parent);

    // The pictures shown while the button is disabled and while it is held
    // down, in place of its own.
    void setDisabledIcon(const QIcon &icon) { m_disabledIcon = icon; }
    void setPressedIcon(const QIcon &icon) { m_pressedIcon = icon; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_face;
    bool m_raised;
    QIcon m_disabledIcon;
    QIcon m_pressedIcon;
};
