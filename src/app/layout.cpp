// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "layout.h"

#include "exercises/diagram.h"
#include "facebutton.h"
#include "fonts.h"
#include "label.h"
#include "pictures.h"
#include "version.h"

#include <QApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include <algorithm>
#include <cassert>

namespace Layout {
namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kGreen = qRgb(0, 192, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kPurple = qRgb(192, 0, 192);
constexpr QRgb kCyan = qRgb(0, 255, 255);
constexpr QRgb kLightCyan = qRgb(128, 255, 255);
constexpr QRgb kLavender = qRgb(128, 128, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);

constexpr Font kNumberFont{"MS Sans Serif", 24, true};
constexpr Font kHeadingFont{"MS Sans Serif", 18};
constexpr Font kCountFont{"Times New Roman", 36, true};
constexpr Font kButtonFont{"MS Sans Serif", 8.25, true};

// From the top of the window down.
constexpr Control kControls[] = {
    {.name = "Label9", .kind = Kind::Label, .left = 120, .top = 480, .width = 2415, .height = 615,
     .text = "Calcola i ", .flags = Centred},
    {.name = "lblnum2", .kind = Kind::Label, .left = 2880, .top = 0, .width = 1575, .height = 855,
     .text = "2", .font = kNumberFont, .flags = Centred},
    // The fraction bar: 5 pixels thick along y = 840.
    {.name = "Line2", .kind = Kind::Line, .left = 2760, .top = 840, .width = 1680, .height = 75},
    {.name = "lbldeno", .kind = Kind::Label, .left = 2880, .top = 960, .width = 1575, .height = 855,
     .text = "3", .font = kNumberFont, .flags = Centred},
    {.name = "Label2", .kind = Kind::Label, .left = 4680, .top = 600, .width = 735, .height = 495,
     .text = "di", .flags = Centred},
    {.name = "lblnum1", .kind = Kind::Label, .left = 6000, .top = 480, .width = 1695, .height = 735,
     .text = "9", .font = kNumberFont},
    {.name = "Label4", .kind = Kind::Label, .left = 7680, .top = 240, .width = 615, .height = 975,
     .text = "=", .font = {"Arial", 48, true}, .flags = Centred},
    {.name = "txtAnswer", .kind = Kind::TextBox, .left = 8760, .top = 120, .width = 2775,
     .height = 1200, .font = {"Arial", 48, true}, .foreground = kWindowText,
     .background = qRgb(192, 255, 192), .flags = Centred,
     .toolTip = "Inserisci il risultato e  premi il tasto  Invio", .spokenName = "Risultato", .maxLength = 4},
    {.name = "Label11(1)", .kind = Kind::Label, .left = 9000, .top = 1440, .width = 2295,
     .height = 495, .text = "Tempo restante", .font = {"MS Sans Serif", 12, true},
     .foreground = kLavender},
    {.name = "Image1", .kind = Kind::Image, .left = 8880, .top = 1920, .width = 480, .height = 480,
     .toolTip = "Clicca sotto di me per impostare il Timer", .picture = "stopwatch"},
    {.name = "lblconto", .kind = Kind::Label, .left = 9480, .top = 1920, .width = 1575,
     .height = 495, .text = "00.00.00", .font = {"Arial Black", 12, true}, .foreground = kBlue,
     .flags = Border},
    {.name = "lblMessage", .kind = Kind::Label, .left = 1320, .top = 2160, .width = 6615,
     .height = 615, .font = {"MS Sans Serif", 24, true, true}, .flags = Centred | PlainPointer},
    {.name = "Label7(0)", .kind = Kind::Label, .left = 840, .top = 3840, .width = 495, .height = 615,
     .text = "A"},
    {.name = "Label7(1)", .kind = Kind::Label, .left = 8040, .top = 3840, .width = 375, .height = 495,
     .text = "B"},
    {.name = "Label6", .kind = Kind::Label, .left = 480, .top = 5280, .width = 2565, .height = 495,
     .text = "Risposte esatte", .font = kHeadingFont, .foreground = kGreen,
     .flags = Border | Centred | AutoSize},
    {.name = "Label1", .kind = Kind::Label, .left = 3480, .top = 5400, .width = 2520, .height = 495,
     .text = "Risposte errate", .font = kHeadingFont, .foreground = kRed,
     .flags = Border | AutoSize},
    {.name = "Label3", .kind = Kind::Label, .left = 6840, .top = 5280, .width = 2340, .height = 495,
     .text = "Risposte totali", .font = kHeadingFont, .foreground = kBlue,
     .flags = Border | AutoSize},
    {.name = "lblScore", .kind = Kind::Label, .left = 1080, .top = 6120, .width = 555, .height = 885,
     .text = "0", .font = kCountFont, .flags = Border | Centred | AutoSize,
     .toolTip = "Questo è il tuo punteggio. Forza con il  record"},
    {.name = "lblScore1", .kind = Kind::Label, .left = 4320, .top = 6120, .width = 540,
     .height = 885, .text = "0", .font = kCountFont, .foreground = kRed,
     .flags = Border | Centred | AutoSize},
    {.name = "lblScore2", .kind = Kind::Label, .left = 7800, .top = 6000, .width = 555,
     .height = 885, .text = "0", .font = kCountFont, .foreground = kBlue,
     .flags = Border | Centred | AutoSize},
    {.name = "Label8", .kind = Kind::Label, .left = 9480, .top = 5880, .width = 2055, .height = 735,
     .text = "Sfidante", .foreground = qRgb(0, 255, 0)},
    {.name = "lblnome1", .kind = Kind::Label, .left = 9600, .top = 6480, .width = 1455,
     .height = 615, .text = "Label8", .foreground = kGreen, .flags = Elided},
    {.name = "cmdNext", .kind = Kind::Button, .left = 600, .top = 7080, .width = 1815,
     .height = 1095, .text = "&Nuovo calcolo", .font = kButtonFont, .background = qRgb(0, 255, 0),
     .flags = PlainPointer, .toolTip = "Go", .spokenName = "Nuovo calcolo", .picture = "face-smile",
     .disabledPicture = "face-neutral", .pressedPicture = "face-laugh"},
    {.name = "cmdExit", .kind = Kind::Button, .left = 7080, .top = 7200, .width = 1935,
     .height = 975, .text = "E&xit", .font = kButtonFont, .background = kCyan,
     .flags = Raised | PlainPointer,
     .toolTip = "Ti prego resta ancora, forse riuscirai a farmi uscire ", .spokenName = "Esci",
     .picture = "noentry"},
    {.name = "Label12", .kind = Kind::Label, .left = 360, .top = 8640, .width = 2295, .height = 375,
     .text = "Il record  è di ", .font = kHeadingFont, .foreground = kPurple},
    {.name = "lblnome", .kind = Kind::Label, .left = 2760, .top = 8640, .width = 990, .height = 435,
     .text = "nome", .foreground = kBlue, .flags = AutoSize},
    {.name = "Label13", .kind = Kind::Label, .left = 6960, .top = 8640, .width = 1455,
     .height = 435, .text = "con punti", .font = kHeadingFont, .foreground = kPurple,
     .flags = AutoSize},
    {.name = "lblpunti", .kind = Kind::Label, .left = 8640, .top = 8520, .width = 135,
     .height = 555, .font = {"MS Sans Serif", 24}, .foreground = kPurple, .flags = AutoSize},
};

constexpr PieceArray kPieceArrays[] = {
    {9, 2, {1440, 4570}, 3200, 3200, qRgb(255, 255, 255), kBlack, kWindowText, kDefaultColour},
    {2, 3, {1440, 3540, 5640}, 2115, 2115, kBlack, kBlack, kGreen, kWindowText},
    {1, 4, {1440, 3000, 4560, 6120}, 1605, 1605, kLavender, kCyan, kBlue, kBlack},
    {3, 5, {1440, 2715, 3990, 5250, 6480}, 1290, 1290, qRgb(192, 192, 255), qRgb(192, 192, 255),
     kWindowText, kDefaultColour},
    {4, 6, {1440, 2475, 3495, 4545, 5595, 6600}, 1155, 1155, qRgb(255, 128, 255),
     qRgb(255, 128, 255), qRgb(0, 0, 192), kWindowText},
    {5, 7, {1440, 2295, 3195, 4095, 4995, 5895, 6795}, 915, 915, kLavender, kLavender, kWindowText,
     kDefaultColour},
    {6, 8, {1440, 2205, 3000, 3795, 4575, 5355, 6150, 6915}, 810, 810, qRgb(255, 255, 128),
     qRgb(255, 255, 128), kBlack, kDefaultColour},
    {7, 9, {1440, 2160, 2880, 3600, 4275, 4965, 5640, 6315, 6960}, 735, 735, kLightCyan,
     kLightCyan, kWindowText, kDefaultColour},
    {8, 10, {1440, 2100, 2775, 3405, 4080, 4680, 5280, 5880, 6480, 7080}, 690, 675, kLightCyan,
     kLightCyan, kWindowText, kDefaultColour},
};

} // namespace

std::span<const Control> controls()
{
    return kControls;
}

std::span<const PieceArray> pieceArrays()
{
    return kPieceArrays;
}

const PieceArray &pieceArray(int number)
{
    for (const PieceArray &array : kPieceArrays) {
        if (array.number == number)
            return array;
    }
    assert(false && "no such piece array");
    return kPieceArrays[0];
}

} // namespace Layout

QColor resolveColour(QRgb colour, const QPalette &palette)
{
    switch (colour) {
    case Layout::kWindowText:
        return palette.color(QPalette::WindowText);
    case Layout::kDefaultColour:
        return palette.color(QPalette::ButtonText);
    default:
        return QColor::fromRgb(colour);
    }
}

namespace {

using namespace Layout;

QRect pixelRect(const Control &c, double scale)
{
    return {px(c.left, scale), px(c.top, scale), px(c.width, scale), px(c.height, scale)};
}

void setForeground(QWidget *w, QPalette::ColorRole role, QRgb colour)
{
    QPalette palette = w->palette();
    palette.setColor(role, resolveColour(colour, QApplication::palette()));
    w->setPalette(palette);
}

QWidget *buildLabel(const Control &c, QWidget *surface)
{
    auto *label = new Label(c.flags & AutoSize, c.flags & Elided, surface);
    label->setAlignment(Qt::AlignTop | ((c.flags & Centred) ? Qt::AlignHCenter : Qt::AlignLeft));
    if (c.flags & Border)
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    setForeground(label, QPalette::WindowText, c.foreground);
    return label;
}

QWidget *buildTextBox(const Control &c, QWidget *surface)
{
    auto *box = new QLineEdit(surface);
    box->setAlignment(Qt::AlignCenter);
    box->setMaxLength(c.maxLength);
    box->setInputMethodHints(Qt::ImhDigitsOnly);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(c.background));
    palette.setColor(QPalette::Text, resolveColour(c.foreground, QApplication::palette()));
    box->setPalette(palette);
    return box;
}

// A button sits in a socket of its own size that shows the platform's
// pointer: over a disabled button Qt shows the pointer of what is beneath.
QWidget *buildButton(const Control &c, QWidget *surface)
{
    auto *socket = new QWidget(surface);
    socket->setCursor(Qt::ArrowCursor);
    auto *button = new FaceButton(QColor::fromRgb(c.background), c.flags & Raised, socket);
    button->setText(QString::fromUtf8(c.text));
    button->setPictures(c.picture, c.disabledPicture, c.pressedPicture);
    return button;
}

QWidget *buildControl(const Control &c, QWidget *surface)
{
    switch (c.kind) {
    case Kind::Label:
        return buildLabel(c, surface);
    case Kind::TextBox:
        return buildTextBox(c, surface);
    case Kind::Button:
        return buildButton(c, surface);
    case Kind::Image:
        return new QLabel(surface);
    case Kind::Line: {
        auto *line = new QWidget(surface);
        line->setAutoFillBackground(true);
        setForeground(line, QPalette::Window, kWindowText);
        return line;
    }
    }
    return nullptr;
}

void placeControl(const Control &c, QWidget *w, double scale)
{
    const qreal ratio = w->devicePixelRatioF();
    if (c.font.family || c.kind == Kind::Label)
        w->setFont(layoutFont(c.font, scale));
    switch (c.kind) {
    case Kind::Label:
        w->setGeometry(pixelRect(c, scale));
        static_cast<Label *>(w)->setCaption(static_cast<Label *>(w)->caption()); // sized for the new font
        break;
    case Kind::TextBox:
        w->setGeometry(pixelRect(c, scale));
        break;
    case Kind::Button: {
        w->parentWidget()->setGeometry(pixelRect(c, scale));
        w->setGeometry(QRect(QPoint(), pixelRect(c, scale).size()));
        auto *button = static_cast<FaceButton *>(w);
        button->setIconSize(QSize(32, 32) * scale);
        break;
    }
    case Kind::Image:
        w->setGeometry(pixelRect(c, scale));
        static_cast<QLabel *>(w)->setPixmap(Pictures::picture(c.picture, 32 * scale, ratio));
        break;
    case Kind::Line: {
        // The fraction bar, centred on its row.
        const int thickness = std::max(1, px(c.height, scale));
        w->setGeometry(px(c.left, scale), px(c.top, scale) - thickness / 2, px(c.width, scale), thickness);
        break;
    }
    }
}

std::vector<Piece *> buildPieces(const PieceArray &array, QWidget *surface)
{
    std::vector<Piece *> pieces(static_cast<std::size_t>(array.count) + 1, nullptr);
    for (int i = 1; i <= array.count; ++i) {
        auto *piece = new Piece(surface);
        piece->setObjectName(QStringLiteral("Shape%1(%2)").arg(array.number).arg(i));
        const QPalette &palette = QApplication::palette();
        piece->setFillColor(resolveColour(i == 1 ? array.firstFill : array.otherFill, palette));
        piece->setBorderColor(resolveColour(array.border, palette));
        pieces[static_cast<std::size_t>(i)] = piece;
    }
    return pieces;
}

void buildMenu(QMainWindow &window, Controls &controls)
{
    QMenuBar *bar = window.menuBar();
    QMenu *credits = bar->addMenu(QStringLiteral("Quotello " QUOTELLO_VERSION ": un gioco di frazioni fatto dalla squadra di Quotello"));
    credits->setObjectName(QStringLiteral("Ciao(1)"));
    credits->menuAction()->setObjectName(QStringLiteral("Ciao(1)"));
    QAction *address = credits->addAction(QStringLiteral("Scriveteci: Progetto Quotello, Italia"));
    address->setObjectName(QStringLiteral("Tmer(1)"));

    controls.menuNew = bar->addAction(QStringLiteral("Nuovo gioco"));
    controls.menuNew->setObjectName(QStringLiteral("new"));
}

template <typename T = QWidget>
T *child(QWidget *surface, const char *name)
{
    T *widget = surface->findChild<T *>(QString::fromLatin1(name));
    assert(widget);
    return widget;
}

} // namespace

Controls buildLayout(QMainWindow &window)
{
    auto *surface = new QWidget(&window);
    surface->setObjectName(QStringLiteral("surface"));
    surface->setAutoFillBackground(true);
    QPalette palette = surface->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kWindowBackground));
    surface->setPalette(palette);
    window.setCentralWidget(surface);

    Controls controls;
    controls.surface = surface;
    for (const PieceArray &array : pieceArrays())
        controls.pieces[static_cast<std::size_t>(array.number)] = buildPieces(array, surface);

    for (const Control &c : Layout::controls()) {
        QWidget *w = buildControl(c, surface);
        w->setObjectName(QString::fromLatin1(c.name));
        if (auto *label = qobject_cast<Label *>(w))
            label->setCaption(QString::fromUtf8(c.text));
        if (c.toolTip)
            w->setToolTip(QString::fromUtf8(c.toolTip));
        if (c.spokenName)
            w->setAccessibleName(QString::fromUtf8(c.spokenName));
        if (c.flags & PlainPointer)
            w->setCursor(Qt::ArrowCursor);
    }

    controls.lblnum1 = child<Label>(surface, "lblnum1");
    controls.lblnum2 = child<Label>(surface, "lblnum2");
    controls.lbldeno = child<Label>(surface, "lbldeno");
    controls.lblMessage = child<Label>(surface, "lblMessage");
    controls.lblScore = child<Label>(surface, "lblScore");
    controls.lblScore1 = child<Label>(surface, "lblScore1");
    controls.lblScore2 = child<Label>(surface, "lblScore2");
    controls.lblconto = child<Label>(surface, "lblconto");
    controls.lblnome1 = child<Label>(surface, "lblnome1");
    controls.lblnome = child<Label>(surface, "lblnome");
    controls.lblpunti = child<Label>(surface, "lblpunti");
    controls.txtAnswer = child<QLineEdit>(surface, "txtAnswer");
    controls.cmdNext = child<FaceButton>(surface, "cmdNext");
    controls.cmdExit = child<FaceButton>(surface, "cmdExit");

    buildMenu(window, controls);

    QWidget::setTabOrder(controls.cmdExit, controls.cmdNext);
    QWidget::setTabOrder(controls.cmdNext, controls.txtAnswer);
    return controls;
}

void placeLayout(const Controls &controls, double scale)
{
    QWidget *surface = controls.surface;
    surface->setFont(layoutFont({}, scale));
    surface->setCursor(Pictures::faceCursor(32 * scale, surface->devicePixelRatioF()));
    for (const Control &c : Layout::controls())
        placeControl(c, child(surface, c.name), scale);
    for (const PieceArray &array : pieceArrays()) {
        for (int i = 1; i <= array.count; ++i) {
            const bool edge = (i == 1 || i == array.count);
            const int left = array.lefts[static_cast<std::size_t>(i - 1)];
            controls.pieces[static_cast<std::size_t>(array.number)][static_cast<std::size_t>(i)]->setGeometry(
                px(left, scale), px(kPieceTop, scale), px(edge ? array.endWidth : array.innerWidth, scale),
                px(kPieceHeight, scale));
        }
    }
}

double fittingScale(const QSize &room)
{
    return std::min({1.0, room.width() / double(px(kClientWidth)), room.height() / double(px(kClientHeight))});
}
