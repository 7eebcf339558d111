// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

// One piece of a fraction diagram: a solidly filled rectangle with a
// one-pixel border.
class Piece : public QWidget
{
    Q_OBJECT

public:
    explicit Piece(QWidget *parent = nullptr);

    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &color);

    QColor borderColor() const { return m_border; }
    void setBorderColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill = Qt::black;
    QColor m_border = Qt::black;
};

// The colours the exercises paint their diagrams with.
namespace DiagramColors {
inline const QColor unshaded{0, 255, 255};  // cyan
inline const QColor shaded{128, 255, 128};  // light green
} // namespace DiagramColors
