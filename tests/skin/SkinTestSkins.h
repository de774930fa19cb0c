#pragma once
// Small skins built in code for the skin tests.

#include "skin/stream/SkinFilter.h"
#include "skin/model/SkinObjects.h"
#include "skin/model/SkinSource.h"

#include <gtest/gtest.h>
#include <memory>

namespace corvane::skin::test {

// A bitmap filled with one colour (0xAARRGGBB).
std::unique_ptr<SkinBitmap> solidBitmap(const QString& name, int width, int height, std::uint32_t argb);

// A skin with three bitmaps (two named "arrows") and two top-level objects
// that use every class: "Form" (SkinObject, SkinKind::Form) with children of each
// class, and "Button" (SkinButtonObject face + SkinTextObject text).
// Pixels are opaque and representable in 5 bits per channel, so that every
// filter, also the 16-bit packed one, keeps them exactly.
void buildSampleSkin(SkinSource& source);

// Equal content: header strings, bitmap names and pixels, object records.
::testing::AssertionResult sameSkin(const SkinSource& a, const SkinSource& b);

// A colour channel value that survives 5-bit packing (v = (v5 << 3) | (v5 >> 2)).
constexpr std::uint32_t widened(int v5)
{
    return std::uint32_t((v5 << 3) | (v5 >> 2));
}

} // namespace corvane::skin::test
