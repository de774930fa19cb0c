#pragma once
// SkinSource: the skin itself, i.e. the header strings, the bitmaps and the
// top-level skin objects, with the plain and packed body formats.

#include "skin/model/SkinObjects.h"

#include <QIODevice>

namespace corvane::skin {

class SkinFilter;
class SkinInput;
struct SkinReadBudget;

class SkinSource {
public:
    SkinSource();
    ~SkinSource();
    SkinSource(const SkinSource&) = delete;
    SkinSource& operator=(const SkinSource&) = delete;

    QString skinName;
    QString skinVersion;
    QString author;
    QString authorEmail;
    QString authorUrl;

    const SkinBitmapList& bitmaps() const { return m_bitmapView; }
    int objectCount() const { return int(m_objects.size()); }
    SkinObject* object(int index) const { return m_objects[size_t(index)].get(); }
    const std::vector<std::unique_ptr<SkinObject>>& objects() const { return m_objects; }

    // Empties the source: header back to the defaults of an empty source,
    // no bitmaps, no objects.
    void clear();
    // Takes over everything of another source (used to install a freshly
    // loaded skin only after it loaded completely).
    void swap(SkinSource& other);

    // While set, every object lookup returns nothing.
    bool changing() const { return m_changing; }
    void setChanging(bool changing) { m_changing = changing; }

    // Hue: requested, and (privately) already applied; both start 0.
    void setRequestedHue(int hue) { m_requestedHue = hue; }
    // Shifts every bitmap and object by requested - applied (when they differ).
    void applyHue();

    // ---- Lookups (case-insensitive names; nothing while changing).
    SkinObject* findObject(const QString& name) const;
    // The object named "Form", else the first top-level object of Kind SkinKind::Form.
    SkinObject* formObject() const;

    // ---- Bodies. The readers replace the whole content and throw SkinError
    // on bad input; on a throw the source is left empty, so load into a fresh
    // source and swap() it in on success.
    void readPlainBody(SkinInput& in);
    void readPackedBody(SkinInput& in);

    // Building a skin by hand (tools, tests): takes ownership, then links the
    // object's tree to this source's bitmaps.
    SkinBitmap* addBitmap(std::unique_ptr<SkinBitmap> bitmap);
    SkinObject* addObject(std::unique_ptr<SkinObject> object);

private:
    // Both body formats are laid out alike: the header strings, the counted
    // bitmaps (each its name, then its pixels in the format's own form) and
    // the counted top-level objects (each its class name, then the object in
    // the format's own form). readBody walks that layout; the format's own
    // parts are passed in. (The writers are in skin/writer.)
    using PixelReader = void (*)(SkinInput& in, SkinBitmap& bitmap);
    using ObjectReader = std::unique_ptr<SkinObject> (*)(SkinInput& in, const QByteArray& className,
                                                          SkinReadBudget& budget);
    void readBody(SkinInput& in, PixelReader readPixels, ObjectReader readObject);

    void readHeader(SkinInput& in);
    void installObject(std::unique_ptr<SkinObject> object);

    std::vector<std::unique_ptr<SkinBitmap>> m_bitmaps;
    SkinBitmapList m_bitmapView;
    std::vector<std::unique_ptr<SkinObject>> m_objects;
    bool m_changing = false;
    int m_requestedHue = 0;
    int m_appliedHue = 0;
};

// Reads a skin in `filter`'s encoding into `source` (replacing its content).
void readSkin(const SkinFilter& filter, const char* data, std::int64_t size, SkinSource& source);

// "SkinStream": presence byte (a writer stores 2, or 0 without a skin), then
// the default filter's encoding. readSkinStream returns false for a presence
// byte of 0 (or an empty stream): no skin, `source` untouched. Any other value
// starts a skin, read into `source`.
bool readSkinStream(const QByteArray& stream, SkinSource& source);

// Hue shift of one 0x00RRGGBB colour triple, with the engine's exact arithmetic.
std::uint32_t shiftPixelHue(std::uint32_t argb, int delta);

} // namespace corvane::skin
