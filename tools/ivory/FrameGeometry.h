// Frame measures shared by the artwork and the object description: the
// bitmaps are cut so that the "Form" object tree puts every piece back where
// it was drawn.
#pragma once

namespace ivory::frame {

inline constexpr int kCaptionHeight = 24; // "Caption" strip
inline constexpr int kSideWidth = 24;     // "Left" / "Right" strips
inline constexpr int kBottomHeight = 16;  // "Bottom" strip
inline constexpr int kDesignWidth = 300;  // size the "Form" tree is stored at
inline constexpr int kDesignHeight = 250;

// Window corner radii: round top corners, tighter bottom ones.
inline constexpr int kTopRadius = 6;
inline constexpr int kBottomRadius = 3;

// Rows of the "Left" and "Right" bitmaps (both 48 x 158): the caption corner,
// then the border pieces from top to bottom, then the bottom corner.
inline constexpr int kSideRowsCorner = 24;
inline constexpr int kLeftTopRows = 26, kLeftCenterRows = 8, kLeftBottomRows = 84;
inline constexpr int kRightTopRows = 26, kRightCenterRows = 39, kRightBottomRows = 53;
inline constexpr int kSideBitmapHeight = 158;

// Columns of the "Bottom" bitmap (196 x 32): left piece, centre, right piece.
inline constexpr int kBottomPieceWidth = 94;
inline constexpr int kBottomCenterWidth = 8;

// Caption buttons: the face is 16 x 16 and sits one row below the button's top.
inline constexpr int kButtonTop = 3;
inline constexpr int kFaceSize = 16;

} // namespace ivory::frame
