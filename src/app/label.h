// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A caption on the game window. Captions are always plain text, whatever a
// player's name or a record file holds, and read left to right as the
// Italian around them. An auto-size label fits itself to its caption,
// growing right and down from its fixed top-left corner; an eliding one
// keeps its box and shows the start of a caption too long for it.
class Label : public QLabel
{
    Q_OBJECT

public:
    Label(bool autoSize, bool elided, QWidget *parent);

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showCaption();

    QString m_caption;
    bool m_autoSize;
    bool m_elided;
};

// Text set apart from the Italian around it: text with letters written right
// to left (Hebrew, Arabic) keeps its own direction inside a sentence that
// still reads left to right. Other text comes back as it is.
QString isolated(const QString &text);
