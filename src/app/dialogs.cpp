// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// Boxes sit over the game window; before it is on screen (the name prompt,
// the greeting) they sit in the middle of the screen instead of over where
// the hidden window would be.
QWidget *owner(QWidget *parent)
{
    return parent && parent->isVisible() ? parent : nullptr;
}

QString titleOrAppName(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationName() : title;
}

// A box only as wide as its short text would have its title cut short by
// the window manager, whose title bar also holds the window's buttons.
void keepTitleWhole(QMessageBox &box)
{
    QFont font = QApplication::font();
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + 100;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0,
                      1, grid->columnCount());
}

// Player names and record files reach these boxes: always plain text.
int runBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, titleOrAppName(title), text, buttons, owner(parent));
    box.setTextFormat(Qt::PlainText);
    keepTitleWhole(box);
    box.setDefaultButton(defaultButton);
    if (buttons & QMessageBox::No)
        box.setEscapeButton(QMessageBox::No);
    return box.exec();
}

} // namespace

QString QtDialogs::askText(QWidget *parent, const QString &prompt)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(owner(parent), QApplication::applicationName(), prompt,
                                               QLineEdit::Normal, QString(), &accepted);
    return accepted ? text : QString();
}

void QtDialogs::inform(QWidget *parent, const QString &text, const QString &title)
{
    runBox(parent, QMessageBox::NoIcon, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogs::warn(QWidget *parent, const QString &text)
{
    runBox(parent, QMessageBox::Warning, {}, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDialogs::confirm(QWidget *parent, const QString &text, const QString &title)
{
    return runBox(parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::No)
           == QMessageBox::Yes;
}

void QtDialogs::beep()
{
    QApplication::beep();
}

void QtDialogs::endProgram()
{
    QApplication::exit(0);
}
