// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's keys: the answer box's key filter and Enter on the buttons.
// A held key acts only once (KeyGuard): every Enter seen here is a fresh one.
#include "tavola.h"

#include "exercises/answer.h"
#include "facebutton.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace {

bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Enter with Ctrl, Alt or Meta held is a combination, not an Enter.
bool isPlainEnter(const QKeyEvent *event)
{
    return isEnterKey(event)
           && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

// What an input method (dead keys, compose, a phonetic keyboard) would put
// into the answer box: nothing but digits gets in, and nothing half-composed
// is shown there.
bool typesOnlyDigits(const QInputMethodEvent *event)
{
    const QString text = event->commitString();
    return event->preeditString().isEmpty()
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool Tavola::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_controls.txtAnswer)
            return answerBoxKeyPress(key);
        // A focused button takes Enter as a click, as Space already does.
        auto *button = qobject_cast<QToolButton *>(watched);
        if (button && isPlainEnter(key)) {
            button->click();
            return true;
        }
        break;
    }
    case QEvent::InputMethod:
        if (watched == m_controls.txtAnswer)
            return !typesOnlyDigits(static_cast<QInputMethodEvent *>(event));
        break;
    case QEvent::FocusIn:
        // Tabbing into the box selects its answer. Selected before the box
        // has told a screen reader it has the focus, the selection is spoken
        // twice, the second time wrong ("5 selezionato" for 56): the box
        // takes the focus first and selects a moment later.
        if (watched == m_controls.txtAnswer) {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
                QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
                QApplication::sendEvent(watched, &plain);
                QTimer::singleShot(0, m_controls.txtAnswer, &QLineEdit::selectAll);
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Tavola::answerBoxKeyPress(QKeyEvent *event)
{
    int code;
    if (isEnterKey(event)) {
        if (!isPlainEnter(event))
            return true;
        code = 13;
    } else {
        // Keys that type nothing (arrows, Home, End, Delete, Tab) keep
        // their usual meaning in the box.
        const QString text = event->text();
        if (text.isEmpty() || event->key() == Qt::Key_Delete || event->key() == Qt::Key_Tab
            || event->key() == Qt::Key_Backtab)
            return false;
        code = text.size() == 1 ? text.at(0).unicode() : 0;
    }

    // The next-exercise button is the window's default button: while it is
    // enabled, Enter goes to it.
    if (code == 13 && m_controls.cmdNext->isEnabled()) {
        m_controls.cmdNext->click();
        return true;
    }

    int KeyAscii = code;
    txtAnswer_KeyPress(KeyAscii);
    return KeyAscii == 0 || KeyAscii == 13;
}

void Tavola::txtAnswer_KeyPress(int &KeyAscii)
{
    switch (classifyAnswerKey(KeyAscii)) {
    case AnswerKey::Accept:
        break;
    case AnswerKey::Check:
        checkAnswer();
        break;
    case AnswerKey::Drop:
        KeyAscii = 0;
        break;
    }
}
