// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"
#include "dialogs.h"
#include "gamehost.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    chooseWindowSystem();
    QApplication app(argc, argv);
    setUpApplication(app);

    QtDialogs dialogs;
    GameHost host(dialogs);
    host.start();
    return QApplication::exec();
}
