// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "label.h"

Label::Label(bool autoSize, QWidget *parent) : QLabel(parent), m_autoSize(autoSize)
{
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
    if (m_autoSize)
        resize(sizeHint());
}
