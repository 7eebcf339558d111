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

    // The button's picture (a name for Pictures::picture()), and those shown
    // while it is disabled and while it is held down, if any. The pictures
    // are iconSize() points wide.
    void setPictures(const char *normal, const char *disabled = nullptr, const char *pressed = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_face;
    bool m_raised;
    const char *m_normal = nullptr;
    const char *m_disabled = nullptr;
    const char *m_pressed = nullptr;
};
