#pragma once
// The open road's merge: a second file read and joined to the file in use.
#include <cstdint>

#include "core/filetable.h"

namespace qv {

// Panel, reader, merge windows, joint file and commit into the file in use's slot. 0 when
// the file in use now holds the joint file; non-zero (TypeOfFile 9) when the merge was
// cancelled, refused or failed, the file in use being exactly as it was.
int16_t MergeIntoFileInUse();

// Tests replace the allocation of the joint file's arrays (nullptr restores it).
void setMergeAllocator(SampleArray (*allocate)(int32_t cases));

}  // namespace qv
