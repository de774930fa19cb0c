#include "skin/stream/SkinStoredTypes.h"

#include "skin/stream/SkinWordTable.h"

#include <array>
#include <utility>

namespace corvane::skin {

namespace {

// Identifier lookups run for nearly every property of a loading skin: one
// hash lookup each instead of a scan over the names.
template <size_t N> SkinWordTable<int> indexTable(const std::array<const char*, N>& names)
{
    SkinWordTable<int> table(N);
    for (size_t i = 0; i < N; ++i)
        table.add(QByteArray(names[i]), int(i));
    return table;
}

int find(const SkinWordTable<int>& table, const QByteArray& ident)
{
    const auto* entry = table.find(ident);
    return entry ? entry->value : -1;
}

template <size_t N> QByteArray nameAt(const std::array<const char*, N>& names, int value)
{
    if (value < 0 || size_t(value) >= N)
        return QByteArray::number(value);
    return QByteArray(names[size_t(value)]);
}

const std::array<const char*, 16> alignNames = {
    "saNone",       "saLeft",   "saMostLeft", "saTop",      "saMostTop",    "saRight",       "saMostRight", "saBottom",
    "saMostBottom", "saClient", "saTopLeft",  "saTopRight", "saBottomLeft", "saBottomRight", "saCenter",    "saText"};
const std::array<const char*, 22> kindNames = {"skNone",
                                               "skForm",
                                               "skCaption",
                                               "skTitle",
                                               "skTop",
                                               "skLeft",
                                               "skRight",
                                               "skBottom",
                                               "skTopLeft",
                                               "skTopRight",
                                               "skBottomLeft",
                                               "skBottomRight",
                                               "skSysButton",
                                               "skClient",
                                               "skMenuBar",
                                               "skMenuBarItem",
                                               "skMenuBarItemText",
                                               "skPopupMenu",
                                               "skPopupMenuItem",
                                               "skPopupMenuItemText",
                                               "skItemText",
                                               "skTranparent"};
const std::array<const char*, 9> textAlignNames = {"taTopLeft",    "taTopCenter",    "taTopRight",
                                                   "taLeft",       "taCenter",       "taRight",
                                                   "taBottomLeft", "taBottomCenter", "taBottomRight"};
const std::array<const char*, 2> textEffectNames = {"teNone", "teShadow"};
const std::array<const char*, 3> tileStyleNames = {"tsTile", "tsStretch", "tsCenter"};
const std::array<const char*, 12> actionNames = {"sbaNone",     "sbaClose",   "sbaHelp",      "sbaMinimize",
                                                 "sbaMaximize", "sbaRestore", "sbaRollUp",    "sbaRollDown",
                                                 "sbaTray",     "sbaSysMenu", "sbaRollPanel", "sbaCustom"};

struct NamedColor {
    const char* name;
    SkinColor color;
};

// The platform's standard colour constants, in the order its colour names are
// searched when a colour is written.
const NamedColor namedColors[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clActiveBorder", SkinColor(0x8000000Au)},
    {"clActiveCaption", SkinColor(0x80000002u)},
    {"clAppWorkSpace", SkinColor(0x8000000Cu)},
    {"clBackground", SkinColor(0x80000001u)},
    {"clBtnFace", SkinColor(0x8000000Fu)},
    {"clBtnHighlight", SkinColor(0x80000014u)},
    {"clBtnShadow", SkinColor(0x80000010u)},
    {"clBtnText", SkinColor(0x80000012u)},
    {"clCaptionText", SkinColor(0x80000009u)},
    {"clDefault", 0x20000000},
    {"clGradientActiveCaption", SkinColor(0x8000001Bu)},
    {"clGradientInactiveCaption", SkinColor(0x8000001Cu)},
    {"clGrayText", SkinColor(0x80000011u)},
    {"clHighlight", SkinColor(0x8000000Du)},
    {"clHighlightText", SkinColor(0x8000000Eu)},
    {"clHotLight", SkinColor(0x8000001Au)},
    {"clInactiveBorder", SkinColor(0x8000000Bu)},
    {"clInactiveCaption", SkinColor(0x80000003u)},
    {"clInactiveCaptionText", SkinColor(0x80000013u)},
    {"clInfoBk", SkinColor(0x80000018u)},
    {"clInfoText", SkinColor(0x80000017u)},
    {"clMenu", SkinColor(0x80000004u)},
    {"clMenuBar", SkinColor(0x8000001Eu)},
    {"clMenuHighlight", SkinColor(0x8000001Du)},
    {"clMenuText", SkinColor(0x80000007u)},
    {"clNone", clNone},
    {"clScrollBar", SkinColor(0x80000000u)},
    {"cl3DDkShadow", SkinColor(0x80000015u)},
    {"cl3DLight", SkinColor(0x80000016u)},
    {"clWindow", SkinColor(0x80000005u)},
    {"clWindowFrame", SkinColor(0x80000006u)},
    {"clWindowText", SkinColor(0x80000008u)},
};

// The classic desktop colour scheme (0x00BBGGRR), indexed by system colour number.
const SkinColor systemColors[31] = {0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
                                 0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
                                 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
                                 0xE1FFFF, 0xB5B5B5, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};

struct NamedCharset {
    const char* name;
    int charset;
};
const NamedCharset namedCharsets[] = {
    {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},    {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},    {"HANGEUL_CHARSET", 129},    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},      {"TURKISH_CHARSET", 162}, {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},      {"ARABIC_CHARSET", 178},     {"BALTIC_CHARSET", 186},  {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},        {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
};

} // namespace

int alignFromIdent(const QByteArray& ident)
{
    static const SkinWordTable<int> table = indexTable(alignNames);
    return find(table, ident);
}
int kindFromIdent(const QByteArray& ident)
{
    static const SkinWordTable<int> table = indexTable(kindNames);
    return find(table, ident);
}
int textAlignFromIdent(const QByteArray& ident)
{
    static const SkinWordTable<int> table = indexTable(textAlignNames);
    return find(table, ident);
}
int textEffectFromIdent(const QByteArray& ident)
{
    static const SkinWordTable<int> table = indexTable(textEffectNames);
    return find(table, ident);
}
int tileStyleFromIdent(const QByteArray& ident)
{
    static const SkinWordTable<int> table = indexTable(tileStyleNames);
    return find(table, ident);
}
int actionFromIdent(const QByteArray& ident)
{
    static const SkinWordTable<int> table = indexTable(actionNames);
    return find(table, ident);
}
QByteArray alignIdent(int value)
{
    return nameAt(alignNames, value);
}
QByteArray kindIdent(int value)
{
    return nameAt(kindNames, value);
}
QByteArray textAlignIdent(int value)
{
    return nameAt(textAlignNames, value);
}
QByteArray textEffectIdent(int value)
{
    return nameAt(textEffectNames, value);
}
QByteArray tileStyleIdent(int value)
{
    return nameAt(tileStyleNames, value);
}
QByteArray actionIdent(int value)
{
    return nameAt(actionNames, value);
}

SkinColor resolveColor(SkinColor color)
{
    if (color < 0) {
        const int index = color & 0xFF;
        return index < 31 ? systemColors[index] : clBlack;
    }
    return color & 0xFFFFFF;
}

QColor toQColor(SkinColor color)
{
    const SkinColor c = resolveColor(color);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

bool colorFromIdent(const QByteArray& ident, SkinColor* color)
{
    static const SkinWordTable<SkinColor> table = [] {
        SkinWordTable<SkinColor> t(64);
        for (const NamedColor& named : namedColors)
            t.add(QByteArray(named.name), named.color);
        return t;
    }();
    const auto* entry = table.find(ident);
    if (!entry)
        return false;
    *color = entry->value;
    return true;
}

QByteArray colorIdent(SkinColor color)
{
    for (const NamedColor& named : namedColors)
        if (named.color == color)
            return QByteArray(named.name);
    return QByteArray();
}

bool charsetFromIdent(const QByteArray& ident, int* charset)
{
    static const SkinWordTable<int> table = [] {
        SkinWordTable<int> t(32);
        for (const NamedCharset& named : namedCharsets)
            t.add(QByteArray(named.name), named.charset);
        return t;
    }();
    const auto* entry = table.find(ident);
    if (!entry)
        return false;
    *charset = entry->value;
    return true;
}

QByteArray charsetIdent(int charset)
{
    for (const NamedCharset& named : namedCharsets)
        if (named.charset == charset)
            return QByteArray(named.name);
    return QByteArray();
}

QFont SkinFont::toQFont() const
{
    // A family the application stands installed ones for is asked for by
    // those: Qt then finds it at once instead of first sorting every
    // installed face for a fallback.
    const QStringList installed = QFont::substitutes(name);
    QFont font = installed.isEmpty() ? QFont(name) : QFont(installed);
    // A negative height is the character height in pixels; a positive one the
    // cell height, of which the character takes roughly four fifths.
    const int pixels = height < 0 ? -height : (height > 0 ? qMax(1, height * 4 / 5) : 11);
    font.setPixelSize(qBound(1, pixels, 1000));
    font.setBold(style & fontStyleBit(FontStyleFlag::Bold));
    font.setItalic(style & fontStyleBit(FontStyleFlag::Italic));
    font.setUnderline(style & fontStyleBit(FontStyleFlag::Underline));
    font.setStrikeOut(style & fontStyleBit(FontStyleFlag::StrikeOut));
    if (pitch == 2)
        font.setFixedPitch(true);
    return font;
}

} // namespace corvane::skin
