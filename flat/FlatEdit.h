#pragma once
// The flat edit box as placed on dialogs: CustomFlatEdit with its colours
// published as properties.
#include "flat/CustomFlatEdit.h"

namespace corvane::flat {

class FlatEdit : public CustomFlatEdit {
    Q_OBJECT
    Q_PROPERTY(QColor ColorFocused READ colorFocused WRITE setColorFocused)
    Q_PROPERTY(QColor ColorBorder READ colorBorder WRITE setColorBorder)
    Q_PROPERTY(QColor ColorFlat READ colorFlat WRITE setColorFlat)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(int AdvColorFocused READ advColorFocused WRITE setAdvColorFocused)
    Q_PROPERTY(int AdvColorBorder READ advColorBorder WRITE setAdvColorBorder)
    Q_PROPERTY(bool UseAdvColors READ useAdvColors WRITE setUseAdvColors)

public:
    explicit FlatEdit(QWidget* parent = nullptr);
};

} // namespace corvane::flat
