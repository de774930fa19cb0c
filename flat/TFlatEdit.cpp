#include "flat/TFlatEdit.h"

TFlatEdit::TFlatEdit(QWidget* parent)
    : TCustomFlatEdit(parent)
{
}
