#pragma once

#include <QColor>
#include <QPointF>

// Colours and measures shared by the drawings.
namespace corvane::art {

// --- Board geometry, in board-picture pixels -------------------------------
// The main window puts the 33 x 33 point images at client (48 + 40(c-1),
// 32 + 40(r-1)) and the board picture at client (0, 16). A point image's
// middle pixel is 16 pixels in from its corner, so the lines must cross at
// picture (64 + 40(c-1), 32 + 40(r-1)).
constexpr int kBoardWidth = 632;
constexpr int kBoardHeight = 434;
constexpr int kGridLeft = 64;
constexpr int kGridTop = 32;
constexpr int kPointSpacing = 40;
constexpr int kColumns = 9;
constexpr int kRows = 10;

constexpr int columnX(int column)
{
    return kGridLeft + kPointSpacing * (column - 1);
}
constexpr int rowY(int row)
{
    return kGridTop + kPointSpacing * (row - 1);
}

// Where the wooden board ends and the chat panel begins.
constexpr int kPanelLeft = 410;

// The 16 colours of the board picture, by role.
enum BoardColour {
    Ink,       // grid lines, river words
    InkSoft,   // edges of anti-aliased ink
    FrameDark, // outer frame of the board, band behind the receive caption
    FrameMid,
    WoodDeep, // grain streaks
    WoodMid,
    WoodMain, // the board's main colour
    WoodLight,
    PanelLight, // the chat panel
    PanelMid,
    PanelShade,
    SealRed, // the red side's accent on the panel
    White,
    InkOnWood, // between ink and wood, for anti-aliased edges
    PanelText,
    FrameLight,
    BoardColourCount
};

inline QColor boardColour(BoardColour role)
{
    static const QColor colours[BoardColourCount] = {
        QColor(58, 34, 16),    // Ink
        QColor(100, 64, 34),   // InkSoft
        QColor(118, 72, 36),   // FrameDark
        QColor(156, 102, 54),  // FrameMid
        QColor(200, 150, 90),  // WoodDeep
        QColor(214, 168, 106), // WoodMid
        QColor(226, 185, 126), // WoodMain
        QColor(236, 201, 146), // WoodLight
        QColor(248, 243, 232), // PanelLight
        QColor(234, 224, 204), // PanelMid
        QColor(200, 184, 156), // PanelShade
        QColor(168, 42, 30),   // SealRed
        QColor(255, 255, 255), // White
        QColor(152, 110, 66),  // InkOnWood
        QColor(132, 112, 88),  // PanelText
        QColor(184, 128, 72),  // FrameLight
    };
    return colours[role];
}

// --- Pieces ----------------------------------------------------------------
// Every piece picture is 41 x 43; the window stretches it to 33 x 33, so the
// token is drawn slightly taller than wide to come out round on the board.
constexpr int kPieceWidth = 41;
constexpr int kPieceHeight = 43;

// Background of every piece picture, also its bottom-left pixel: the window
// draws the pieces transparent by keying out exactly this colour. It is close
// to the board's wood so that the soft edge of a token blends into the board.
inline QColor pieceKeyColour()
{
    return QColor(0xDC, 0xB4, 0x78);
}

inline QColor blackSideInk()
{
    return QColor(74, 42, 20);
}
inline QColor redSideInk()
{
    return QColor(192, 32, 24);
}

} // namespace corvane::art
