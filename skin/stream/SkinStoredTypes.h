#pragma once
// The vocabulary of a stored skin: the enumerations stored in skin objects,
// colours, fonts and the error type of the loader.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace corvane::skin {

// ---------------------------------------------------------------------------
// Enumerations. The ordinal order is the order stored in skins.

enum class SkinAlign : int {
    None,
    Left,
    MostLeft,
    Top,
    MostTop,
    Right,
    MostRight,
    Bottom,
    MostBottom,
    Client,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    Center,
    Text
};

enum class SkinKind : int {
    None,
    Form,
    Caption,
    Title,
    Top,
    Left,
    Right,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    SystemButton,
    Client,
    MenuBar,
    MenuBarItem,
    MenuBarItemText,
    PopupMenu,
    PopupMenuItem,
    PopupMenuItemText,
    ItemText,
    Transparent
};

enum class SkinTextAlign : int {
    TopLeft,
    TopCenter,
    TopRight,
    Left,
    Center,
    Right,
    BottomLeft,
    BottomCenter,
    BottomRight
};

enum class SkinTextEffect : int { None, Shadow };

enum class SkinTileStyle : int { Tile, Stretch, Center };

enum class SkinAction : int {
    None,
    Close,
    Help,
    Minimize,
    Maximize,
    Restore,
    RollUp,
    RollDown,
    Tray,
    SystemMenu,
    RollPanel,
    Custom
};

// Caption functions of a skinned frame; a set of them is a bit mask (1 << icon).
enum class SkinBorderIcon : int { Close, SystemMenu, Minimize, Maximize, Help, RollUp, Tray };
using SkinBorderIcons = unsigned;
constexpr SkinBorderIcons borderIconBit(SkinBorderIcon icon)
{
    return 1u << static_cast<unsigned>(icon);
}

// Font styles; a font's Style is a bit mask (1 << style).
enum class FontStyleFlag : int { Bold, Italic, Underline, StrikeOut };
constexpr unsigned fontStyleBit(FontStyleFlag style)
{
    return 1u << static_cast<unsigned>(style);
}

// State byte of a skin object: window states of a frame, then control states.
enum class SkinState : int {
    Normal = 0,
    Maximized = 2,
    Minimized = 3,
    RolledUp = 4,
    Hot = 5,
    Pressed = 6,
    Focused = 7,
    Disabled = 8
};

// Looks an enumeration value up by its identifier ("saMostTop"), exactly as
// stored. Returns -1 when the identifier is not one of the enumeration's.
int alignFromIdent(const QByteArray& ident);
int kindFromIdent(const QByteArray& ident);
int textAlignFromIdent(const QByteArray& ident);
int textEffectFromIdent(const QByteArray& ident);
int tileStyleFromIdent(const QByteArray& ident);
int actionFromIdent(const QByteArray& ident);
QByteArray alignIdent(int value);
QByteArray kindIdent(int value);
QByteArray textAlignIdent(int value);
QByteArray textEffectIdent(int value);
QByteArray tileStyleIdent(int value);
QByteArray actionIdent(int value);

// ---------------------------------------------------------------------------
// Colours in the stored layout 0x00BBGGRR. System colours have the top bit set
// and name an entry of the system colour table (0x80000008 = window text).

using SkinColor = std::int32_t;
constexpr SkinColor clBlack = 0x000000;
constexpr SkinColor clSilver = 0xC0C0C0;
constexpr SkinColor clGray = 0x808080;
constexpr SkinColor clWhite = 0xFFFFFF;
constexpr SkinColor clNone = 0x1FFFFFFF; // "no fill"
constexpr SkinColor clWindowText = SkinColor(0x80000008u);
constexpr SkinColor clBtnFace = SkinColor(0x8000000Fu);

// The transparent key colour of skin bitmaps as a pixel value (alpha 0).
constexpr std::uint32_t SkinKeyPixel = 0x007F007Fu;
inline bool isKeyPixel(std::uint32_t argb)
{
    return (argb & 0x00FFFFFFu) == (SkinKeyPixel & 0x00FFFFFFu);
}

// System colours resolve through a fixed table of the classic desktop scheme,
// so that skins draw the same on every machine.
SkinColor resolveColor(SkinColor color);
QColor toQColor(SkinColor color);
// Colour identifiers ("clWhite", "clWindowText"): -1 / false when unknown.
bool colorFromIdent(const QByteArray& ident, SkinColor* color);
QByteArray colorIdent(SkinColor color); // empty when the colour has no name

// Character sets: "DEFAULT_CHARSET" is 1.
bool charsetFromIdent(const QByteArray& ident, int* charset);
QByteArray charsetIdent(int charset); // empty when the charset has no name

// ---------------------------------------------------------------------------
// The font of a skin object, as stored.
struct SkinFont {
    int charset = 1;
    SkinColor color = clWindowText;
    int height = -11; // negative: character height in pixels
    QString name = QStringLiteral("MS Sans Serif");
    int pitch = 0;      // fpDefault, fpVariable, fpFixed
    unsigned style = 0; // bits of FontStyleFlag

    bool operator==(const SkinFont&) const = default;
    // The Qt font for drawing; the family name goes through Qt's substitution
    // table, which the application fills at start-up.
    QFont toQFont() const;
};

// ---------------------------------------------------------------------------
// Every failure of reading or writing a skin: truncated, corrupt or hostile
// data, unknown classes or properties, sizes over the loader's limits.
class SkinError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace corvane::skin
