// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRgb>

#include <array>
#include <span>
#include <vector>

class FaceButton;
class Label;
class Piece;
class QAction;
class QColor;
class QPalette;
class QSize;
class QLineEdit;
class QMainWindow;
class QWidget;

// The game window's layout as data: one row per control and per diagram
// piece. Positions and sizes are in twips (15 to a pixel at 96 dpi) from the
// top-left corner of the area below the menu bar; nothing is laid out again
// when the window changes size. On a screen too small for it the whole
// layout is shown smaller, in its proportions.
namespace Layout {

inline constexpr int kTwipsPerPixel = 15;
// Pixels for twips at `scale` times the layout's own size.
inline int px(int twips, double scale = 1) { return int(twips * scale / kTwipsPerPixel + 0.5); }

inline constexpr int kClientWidth = 14280;  // 952 px
inline constexpr int kClientHeight = 10005; // 667 px

// Colours: plain RGB values, or one of the desktop's own colours. The
// sentinels have a zero alpha, which no RGB value from qRgb() has.
inline constexpr QRgb kDefaultColour = 0;
inline constexpr QRgb kWindowText = 1;

inline constexpr QRgb kWindowBackground = 0xFFFFFFC0; // light yellow

struct Font
{
    const char *family = nullptr; // nullptr: the window's font
    double points = 0;
    bool bold = false;
    bool italic = false;
};

inline constexpr Font kWindowFont{"MS Sans Serif", 18, true};

enum class Kind { Label, TextBox, Button, Image, Line };

enum Flag : unsigned {
    Border = 1u << 0,
    Centred = 1u << 1,
    AutoSize = 1u << 2,
    PlainPointer = 1u << 3, // the platform's own pointer instead of the face
    Raised = 1u << 4,       // a button with a three-dimensional edge
    Elided = 1u << 5,       // a caption too long for its box ends in "…"
};

struct Control
{
    const char *name;
    Kind kind;
    int left, top, width, height;
    const char *text = "";
    Font font = {};
    QRgb foreground = kDefaultColour; // text colour; labels default to button text
    QRgb background = kDefaultColour; // text box background, button face
    unsigned flags = 0;
    const char *toolTip = nullptr;
    const char *spokenName = nullptr; // what a screen reader calls it
    const char *picture = nullptr; // resource base name of the picture
    const char *disabledPicture = nullptr; // a button's picture while disabled…
    const char *pressedPicture = nullptr;  // …and while held down
    int maxLength = 0;
};

std::span<const Control> controls();

// One piece array of the fraction diagram: Shape1 … Shape9.
struct PieceArray
{
    int number;      // the 9 in Shape9
    int count;       // pieces, which is also the denominator drawn
    std::array<int, 10> lefts;
    int innerWidth;  // of every piece but the two at the ends…
    int endWidth;    // …and of the first and the last piece
    QRgb firstFill;  // piece 1
    QRgb otherFill;  // pieces 2 onwards
    QRgb border;
    QRgb shownBorder; // given when the diagram is drawn; kDefaultColour keeps it
};

inline constexpr int kPieceTop = 3840;
inline constexpr int kPieceHeight = 495;

std::span<const PieceArray> pieceArrays();
const PieceArray &pieceArray(int number);

} // namespace Layout

// The widgets built from the layout that the game's handlers use.
struct Controls
{
    QWidget *surface = nullptr; // the area below the menu bar
    Label *lblnum1 = nullptr;
    Label *lblnum2 = nullptr;
    Label *lbldeno = nullptr;
    Label *lblMessage = nullptr;
    Label *lblScore = nullptr;
    Label *lblScore1 = nullptr;
    Label *lblScore2 = nullptr;
    Label *lblconto = nullptr;
    Label *lblnome1 = nullptr;
    Label *lblnome = nullptr;
    Label *lblpunti = nullptr;
    QLineEdit *txtAnswer = nullptr;
    FaceButton *cmdNext = nullptr;
    FaceButton *cmdExit = nullptr;
    QAction *menuNew = nullptr;

    // pieces[a][i] is piece i of Shape<a>; index 0 of either is unused.
    std::array<std::vector<Piece *>, 10> pieces;
};

// Builds every control of the layout on the window: the surface below the
// menu bar and the menu bar. placeLayout() gives them their places.
Controls buildLayout(QMainWindow &window);

// Places every control at `scale` times the layout's size: positions, sizes,
// fonts and pictures, the pictures for the screen the window is on now.
void placeLayout(const Controls &controls, double scale);

// The largest scale, at most 1, at which the layout fits in `room` pixels.
double fittingScale(const QSize &room);

// The desktop colour for a colour of the layout.
QColor resolveColour(QRgb colour, const QPalette &palette);
