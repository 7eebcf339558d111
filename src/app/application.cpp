// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"

#include "fonts.h"
#include "keyguard.h"
#include "pictures.h"
#include "spokenroles.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QProxyStyle>
#include <QTranslator>
#include <QWidget>

namespace {

// The desktop's own style, but with plain buttons in the boxes, as on the
// desktop the game first ran on; the name prompt comes up sooner without
// looking up their icons.
class GameStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void chooseWindowSystem()
{
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                         || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (wayland && !qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void setUpApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Quotello"));
    QApplication::setOrganizationName(QString());
    QApplication::setDesktopFileName(QStringLiteral("io.github.quotello.Quotello"));

    QApplication::setWindowIcon(Pictures::applicationIcon());

    // The game speaks Italian whatever the desktop's language: "Sì", "No",
    // "Annulla", "Incolla".
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    installFontSubstitutes();
    installSpokenRoles();
    QApplication::setStyle(new GameStyle);
    KeyGuard::install(app);

    // A steady caret in the answer box: nothing on screen blinks, and an idle
    // game wakes only for its one-second clock.
    QApplication::setCursorFlashTime(0);

    // Boxes come and go while no game window is on screen (the name prompt
    // comes before the window, "Nuovo gioco" swaps windows): the game decides
    // itself when it ends.
    QApplication::setQuitOnLastWindowClosed(false);
}
