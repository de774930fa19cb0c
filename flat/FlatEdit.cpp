#include "flat/FlatEdit.h"

namespace corvane::flat {

FlatEdit::FlatEdit(QWidget* parent) : CustomFlatEdit(parent)
{ }

} // namespace corvane::flat
