#pragma once

#include "app/dialogs.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <functional>

// Boxes answered by the test's script instead of a player; every box shown
// is logged in order.
class FakeDialogs final : public Dialogs
{
public:
    struct Box
    {
        QString kind; // "ask", "inform", "warn" or "confirm"
        QString text;
        QString title;
    };

    QList<Box> shown;
    QStringList names;         // answers to the name prompts, in order; then cancelled
    QList<bool> confirmations; // answers to Yes/No boxes, in order; then No
    int beeps = 0;
    int endings = 0;
    int deepest = 0; // the most boxes ever open at once
    // Runs while each box is open, as the event loop would run timers.
    std::function<void(const Box &)> whileOpen;

    QString askText(QWidget *, const QString &prompt) override
    {
        open({QStringLiteral("ask"), prompt, {}});
        return names.isEmpty() ? QString() : names.takeFirst();
    }
    void inform(QWidget *, const QString &text, const QString &title) override
    {
        open({QStringLiteral("inform"), text, title});
    }
    void warn(QWidget *, const QString &text) override { open({QStringLiteral("warn"), text, {}}); }
    bool confirm(QWidget *, const QString &text, const QString &title) override
    {
        open({QStringLiteral("confirm"), text, title});
        return !confirmations.isEmpty() && confirmations.takeFirst();
    }
    void beep() override { ++beeps; }
    void endProgram() override { ++endings; }

    // The boxes shown, each as its kind, or as its text where it only informs.
    QStringList seen() const
    {
        QStringList list;
        for (const Box &box : shown)
            list << (box.kind == QLatin1String("inform") ? box.text : box.kind);
        return list;
    }

private:
    int m_open = 0;

    void open(const Box &box)
    {
        shown << box;
        deepest = std::max(deepest, ++m_open);
        if (whileOpen)
            whileOpen(box);
        --m_open;
    }
};
