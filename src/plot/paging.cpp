#include "plot/paging.h"

#include <algorithm>

namespace qv::plot {

int pageAfterKey(int page, int pageCount, int key) {
  const int n = std::max(pageCount, 1);
  page = std::clamp(page, 1, n);
  if (key == 28) return page <= 1 ? n : page - 1;
  if (key == 29) return page >= n ? 1 : page + 1;
  return page;
}

int pageWithin(int page, int previous, int pageCount) {
  const int n = std::max(pageCount, 1);
  if (page >= 1 && page <= n) return page;
  return std::clamp(previous, 1, n);
}

}  // namespace qv::plot
