// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spokenroles.h"

#include "exercises/diagram.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace {

// The answer box's text as a screen reader reads it. Qt 6.4's own line edit
// reports the text's attributes as runs of no characters, after which Orca
// reads only the first character of the box ("5" for 56).
class AnswerBox final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit AnswerBox(QLineEdit *box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = s.selectableText = true;
        return s;
    }

    QString text(int start, int end) const override { return box()->text().mid(start, end - start); }
    int characterCount() const override { return int(box()->text().size()); }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = *start + int(box()->selectedText().size());
        }
    }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    // One run, the whole text, without attributes.
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }
};

QAccessibleInterface *spokenRole(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    // The clock is read when the player asks (Orca: Insert+KP_Enter twice),
    // never by itself.
    if (object->objectName() == QLatin1String("lblconto"))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    // The answer box, the one text box of the game's surface, is looked at
    // as soon as it is made, before it has its name.
    if (auto *box = qobject_cast<QLineEdit *>(object);
        box && box->parentWidget() && box->parentWidget()->objectName() == QLatin1String("surface"))
        return new AnswerBox(box);
    if (qobject_cast<Piece *>(object))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void installSpokenRoles()
{
    QAccessible::installFactory(spokenRole);
}
