#pragma once
// TSkinSource: the skin itself, i.e. the header strings, the bitmaps and the
// top-level skin objects, with the plain and packed body formats.

#include "skin/SkinObjects.h"

#include <QIODevice>

namespace corvane::skin {

class TSkinInput;
struct TSkinReadBudget;

class TSkinSource {
public:
    TSkinSource();
    ~TSkinSource();
    TSkinSource(const TSkinSource&) = delete;
    TSkinSource& operator=(const TSkinSource&) = delete;

    QString SkinName;
    QString SkinVersion;
    QString Author;
    QString AuthorEMail;
    QString AuthorURL;

    const TSkinBitmapList& bitmaps() const { return m_bitmapView; }
    int objectCount() const { return int(m_objects.size()); }
    TSkinObject* object(int index) const { return m_objects[size_t(index)].get(); }
    const std::vector<std::unique_ptr<TSkinObject>>& objects() const { return m_objects; }

    // Empties the source: header back to the defaults of an empty source,
    // no bitmaps, no objects.
    void clear();
    // Takes over everything of another source (used to install a freshly
    // loaded skin only after it loaded completely).
    void swap(TSkinSource& other);

    // While set, every object lookup returns nothing.
    bool changing() const { return m_changing; }
    void setChanging(bool changing) { m_changing = changing; }

    // Hue: requested and already applied (both start 0).
    int requestedHue() const { return m_requestedHue; }
    int appliedHue() const { return m_appliedHue; }
    void setRequestedHue(int hue) { m_requestedHue = hue; }
    // Shifts every bitmap and object by requested - applied (when they differ).
    void applyHue();

    // ---- Lookups (case-insensitive names; nothing while changing).
    TSkinObject* findObject(const QString& name) const;
    // The object named "Form", else the first top-level object of Kind skForm.
    TSkinObject* formObject() const;

    // ---- Bodies. The readers replace the whole content and throw TSkinError
    // on bad input; on a throw the source is left empty, so load into a fresh
    // source and swap() it in on success.
    void readPlainBody(TSkinInput& in);
    void readPackedBody(TSkinInput& in);
    QByteArray writePlainBody() const;
    QByteArray writePackedBody() const;

    // Building a skin by hand (tools, tests): takes ownership, then links the
    // object's tree to this source's bitmaps.
    TSkinBitmap* addBitmap(std::unique_ptr<TSkinBitmap> bitmap);
    TSkinObject* addObject(std::unique_ptr<TSkinObject> object);

private:
    // Both body formats are laid out alike: the header strings, the counted
    // bitmaps (each its name, then its pixels in the format's own form) and
    // the counted top-level objects (each its class name, then the object in
    // the format's own form). readBody and writeBody walk that layout; the
    // format's own parts are passed in.
    using PixelReader = void (*)(TSkinInput& in, TSkinBitmap& bitmap);
    using ObjectReader = std::unique_ptr<TSkinObject> (*)(TSkinInput& in, const QByteArray& className,
                                                          TSkinReadBudget& budget);
    using PixelWriter = void (*)(QByteArray& out, const TSkinBitmap& bitmap);
    using ObjectWriter = void (*)(QByteArray& out, const TSkinObject& object);
    void readBody(TSkinInput& in, PixelReader readPixels, ObjectReader readObject);
    QByteArray writeBody(PixelWriter writePixels, ObjectWriter writeObject) const;

    void readHeader(TSkinInput& in);
    void installObject(std::unique_ptr<TSkinObject> object);

    std::vector<std::unique_ptr<TSkinBitmap>> m_bitmaps;
    TSkinBitmapList m_bitmapView;
    std::vector<std::unique_ptr<TSkinObject>> m_objects;
    bool m_changing = false;
    int m_requestedHue = 0;
    int m_appliedHue = 0;
};

// Hue shift of one 0x00RRGGBB colour triple, with the engine's exact arithmetic.
std::uint32_t shiftPixelHue(std::uint32_t argb, int delta);

} // namespace corvane::skin
