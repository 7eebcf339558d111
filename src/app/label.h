// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A caption on the game window. Captions are always plain text, whatever a
// player's name or a record file holds. An auto-size label fits itself to its
// caption, growing right and down from its fixed top-left corner.
class Label : public QLabel
{
    Q_OBJECT

public:
    Label(bool autoSize, QWidget *parent);

    void setCaption(const QString &caption);
    QString caption() const { return text(); }

private:
    bool m_autoSize;
};
