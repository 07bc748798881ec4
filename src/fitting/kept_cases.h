#pragma once
// The cases of a block that the filters keep, visited in order. With no filter in use the
// loop carries no per-case test, which is what long blocks spend their time on.
#include <cstdint>

#include "core/case_filters.h"

namespace qv {

template <class Visit>
inline void forKeptCases(const CaseFilters& filters, int32_t begin, int32_t end, Visit&& visit) {
  if (!filters.active()) {
    for (int32_t k = begin; k <= end; ++k) visit(k);
    return;
  }
  for (int32_t k = begin; k <= end; ++k)
    if (filters.includes(k)) visit(k);
}

}  // namespace qv
