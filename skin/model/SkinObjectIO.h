#pragma once
// Turning stored object records into skin objects, including the "Objects"
// property that carries an object's children.

#include "skin/model/SkinObjects.h"

namespace corvane::skin {

// Creates an object of the record's registered class and reads its properties
// and children (the charset of every child's fonts becomes 1 after it is read).
// Throws SkinError for an unknown class, an unpublished property, a value of
// the wrong type, a malformed "Objects" value or a tree over the limits.
std::unique_ptr<SkinObject> objectFromRecord(const SkinObjectRecord& record, SkinReadBudget& budget, int depth = 0);

// The same from the binary object form ("TPF0" ...), read straight into the
// object; `className` (stored beside the object) decides the class.
std::unique_ptr<SkinObject> objectFromBinary(const QByteArray& className, const char* data, qint64 size,
                                              SkinReadBudget& budget);

} // namespace corvane::skin
