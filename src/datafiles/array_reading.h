#pragma once
// Sample arrays filled straight from a data file, channel by channel in parallel.
#include <cstddef>
#include <cstdint>
#include <span>

#include "datafiles/byte_source.h"

namespace qv {

// Array k of `arrays` (entries floats each) takes the bytes at offset + k x entries x 4 of
// the source; entry 0 is kept as stored, entries 1.. are turned to host order from the
// file's, then the start-of-array fix is applied. False when any bytes could not be read.
bool fillArrays(const ByteSource& source, uint64_t offset, std::span<float* const> arrays, size_t entries,
                bool bigEndianInFile);

}  // namespace qv
