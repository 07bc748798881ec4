#pragma once
// The program's older BCD data format, read and never written. After the first line ("-99"
// and a carriage return) every number is a 4-byte binary-coded decimal: byte 0 holds the
// sign (bit 7), the exponent's sign (bit 6) and magnitude (bits 5-0), bytes 1-3 six digits
// d1.d2d3d4d5d6. Layout after the first line:
//
//   cases, interval, channels          BCD
//   date 10 bytes, time 8 bytes        text
//   comment length n, n bytes          BCD, text
//   per channel                        5 BCD (variables words 2..6), 30-byte label
//   file values                        5 BCD: info words 2, 6, 4, 3, 5
//   marker count, then (case, code)    BCD
//   per channel                        cases + 1 BCD: entries 0 .. cases
//   trailer, optional                  info word 7 as a big-endian single, then 6 BCD
//                                      (variables word 14 of channels 1..5; one unused)
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "datafiles/binary_format.h"
#include "datafiles/byte_source.h"
#include "datafiles/datafile.h"

namespace qv {

// The format's block reads count cases in 16 bits.
constexpr int32_t kBCDMostCases = 32766;
constexpr std::string_view kNoComments = "(no comments) ";

// The value of four bytes; a digit nibble above 9 ends the digits there.
float Read_BCD(std::span<const uint8_t, 4> bytes);

struct BCDLoadResult {
  LoadFailure failure = LoadFailure::None;
  int16_t badFileKind = 0;  // 3: counts the format cannot hold; 0: damaged
  DataFile file;
  bool zeroInterval = false;
  int32_t markersInFile = 0;
  int32_t markersDropped = 0;  // cases outside 1..N
  bool hasTrailer = false;
  bool ok() const { return failure == LoadFailure::None; }
};

// Reads a whole file (first line included). Counts are checked against the bytes before
// anything is allocated; `converted` hears of each channel decoded.
BCDLoadResult decodeBCDFile(const ByteSource& source, SampleArray (*allocate)(int32_t) = allocateSamples,
                            const std::function<void(int channel)>& converted = {});

}  // namespace qv
