#include "transforms/custom_list.h"

#include "core/kit.h"
#include "runtime/windows.h"
#include "transforms/transform_labels.h"
#include "transforms/transform_state.h"

namespace qv {

rt::Rect customListButtonRect(int k) {
  if (k <= 20) return {10, 20 + 20 * k, 320, 39 + 20 * k};
  return {355, 20 * k - 380, 665, 20 * k - 361};
}

void ShowCustomTransforms(int16_t buttonType) {
  for (int k = 1; k <= NumberOfCustomTransforms; ++k) {
    const rt::Rect r = customListButtonRect(k);
    const std::string& name = CustomTransformsLabels[size_t(k)];
    if (buttonType == 2) {
      rt::FBButton(k, 1, "", {r.left, r.top, r.left + 20, r.bottom}, 2);
      rt::FBEditField(100 + k, name, {r.left + 22, r.top, r.left + 310, r.bottom}, 7);
      rt::setEditFont(100 + k, 3, 12, 0);
    } else {
      rt::FBButton(k, 1, name, r, 3);
    }
  }
}

void TypeOfTransform(int16_t n) {
  if (n < 1 || n > NumberOfCustomTransforms) return;
  rt::setEditText(103, transformTypeName(wordToI16(CustomTransformsArray[size_t(n)][3])));
}

}  // namespace qv
