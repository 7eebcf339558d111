// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "label.h"

#include <algorithm>

Label::Label(bool autoSize, bool elided, QWidget *parent)
    : QLabel(parent), m_autoSize(autoSize), m_elided(elided)
{
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    showCaption();
    if (m_autoSize)
        resize(sizeHint());
}

void Label::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (m_elided)
        showCaption();
}

void Label::showCaption()
{
    setText(isolated(m_elided ? fontMetrics().elidedText(m_caption, Qt::ElideRight, contentsRect().width())
                              : m_caption));
}

QString isolated(const QString &text)
{
    const bool plain = std::all_of(text.begin(), text.end(), [](QChar c) {
        switch (c.direction()) {
        case QChar::DirL: case QChar::DirEN: case QChar::DirES: case QChar::DirET: case QChar::DirCS:
        case QChar::DirWS: case QChar::DirON: case QChar::DirBN: case QChar::DirNSM: case QChar::DirS: case QChar::DirB:
            return true;
        default: // right to left, Arabic numbers, or explicit direction marks
            return false;
        }
    });
    // A left-to-right mark first, which makes the paragraph left to right
    // for a layout that does not skip what is isolated; then first strong
    // isolate … pop directional isolate.
    return plain ? text : QStringLiteral("\u200E\u2068") + text + QChar(0x2069);
}
