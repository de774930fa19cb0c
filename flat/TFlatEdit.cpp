#include "flat/TFlatEdit.h"

namespace corvane::flat {

TFlatEdit::TFlatEdit(QWidget* parent) : TCustomFlatEdit(parent)
{ }

} // namespace corvane::flat
