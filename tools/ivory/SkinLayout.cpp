#include "SkinLayout.h"

#include <algorithm>

namespace ivory {

void setBounds(SkinObject& object, int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (object.left == left && object.top == top && object.width == width && object.height == height)
    return;
  object.previousWidth = object.width;
  object.previousHeight = object.height;
  object.left = left;
  object.top = top;
  object.width = width;
  object.height = height;
  layoutChildren(object);
}

void layoutChildren(SkinObject& object) {
  int left = object.left, top = object.top;
  int right = object.left + object.width, bottom = object.top + object.height;

  auto strips = [&](const QString& topAlign, const QString& bottomAlign) {
    for (SkinObject& child : object.children) {
      if (!child.visible) continue;
      if (child.align == topAlign) {
        setBounds(child, left, top, right - left, child.height);
        top += child.height;
      } else if (child.align == bottomAlign) {
        setBounds(child, left, bottom - child.height, right - left, child.height);
        bottom -= child.height;
      }
    }
  };
  auto columns = [&](const QString& leftAlign, const QString& rightAlign) {
    for (SkinObject& child : object.children) {
      if (!child.visible) continue;
      if (child.align == leftAlign) {
        setBounds(child, left, top, child.width, bottom - top);
        left += child.width;
      } else if (child.align == rightAlign) {
        setBounds(child, right - child.width, top, child.width, bottom - top);
        right -= child.width;
      }
    }
  };
  strips(QStringLiteral("saMostTop"), QStringLiteral("saMostBottom"));
  columns(QStringLiteral("saMostLeft"), QStringLiteral("saMostRight"));
  strips(QStringLiteral("saTop"), QStringLiteral("saBottom"));
  columns(QStringLiteral("saLeft"), QStringLiteral("saRight"));
  for (auto it = object.children.rbegin(); it != object.children.rend(); ++it) {
    if (it->visible && it->align == QLatin1String("saCenter"))
      setBounds(*it, left + (right - left - it->width) / 2, top + (bottom - top - it->height) / 2,
                it->width, it->height);
  }
  for (SkinObject& child : object.children)
    if (child.visible && child.align == QLatin1String("saClient"))
      setBounds(child, left, top, right - left, bottom - top);
  for (SkinObject& child : object.children) {
    if (child.align == QLatin1String("saTopRight") && object.previousWidth > 0)
      setBounds(child, child.left + object.width - object.previousWidth, child.top, child.width,
                child.height);
    else if (child.align == QLatin1String("saBottomLeft"))
      setBounds(child, child.left, child.top + object.height - object.previousHeight, child.width,
                child.height);
  }
}

}  // namespace ivory
