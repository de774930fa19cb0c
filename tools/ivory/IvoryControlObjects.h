#pragma once
// The Ivory skin's objects for the controls the program does not use; each
// is laid out at its stored size.

#include "IvoryObjects.h"

#include <QString>

namespace ivory {

ObjectTree choiceObject(const QString& name, const QString& strip);
ObjectTree scrollBarObject();
ObjectTree tabsObject();
ObjectTree progressBarObject();
ObjectTree framedObject(const QString& name, int width, int height);
ObjectTree speedButtonObject();
ObjectTree comboBoxObject();
ObjectTree groupBoxObject();
ObjectTree headerObject();
ObjectTree statusBarObject();
ObjectTree toolbarObject();
ObjectTree controlBarObject();
ObjectTree panelObject();

} // namespace ivory
