#include "transforms/custom_file.h"

#include "runtime/bytes.h"
#include "runtime/macroman.h"
#include "runtime/utf8.h"
#include "transforms/transform_state.h"

namespace qv {

namespace {

// Which of the words [1]..[20] are held as 16-bit integers in the file.
constexpr bool kIntegerWord[21] = {false, true, true, true, true, false, false, false, true, true, true,
                                   false, false, false, false, false, false, false, false, false, false};

}  // namespace

TransformParams customRecordParams(const std::array<float, 21>& w) {
  TransformParams p;
  p.code = wordToI16(w[3]);
  p.a = w[5];
  p.b = w[6];
  p.exponent = w[7];
  p.degree = boundedPolyDegree(w[10]);
  p.poly[10] = w[11];
  for (int i = 1; i <= 9; ++i) p.poly[size_t(i)] = w[size_t(11 + i)];
  p.temperature = p.pressure = p.mass = p.a;
  return p;
}

CustomFileContents decodeCustomTransforms(std::span<const uint8_t> bytes, size_t limit) {
  CustomFileContents out;
  out.recordsInFile = bytes.size() / kCustomRecordBytes;
  out.tailBytes = bytes.size() % kCustomRecordBytes;
  rt::ByteReader in(bytes);
  for (size_t k = 0; k < out.recordsInFile && k < limit; ++k) {
    CustomRecord r;
    r.name = rt::macRomanToUtf8(in.bytes(kCustomNameBytes));
    for (int w = 1; w <= 20; ++w) r.words[size_t(w)] = kIntegerWord[w] ? float(in.i16be()) : in.f32be();
    if (const auto why = parameterRefusal(customRecordParams(r.words)))
      out.unusable.push_back(std::to_string(k + 1) + " \"" + rt::trimRight(r.name) + "\": " + *why);
    out.records.push_back(std::move(r));
  }
  return out;
}

std::vector<uint8_t> encodeCustomTransforms(const std::vector<CustomRecord>& records) {
  rt::ByteWriter out;
  out.reserve(records.size() * kCustomRecordBytes);
  for (const CustomRecord& r : records) {
    out.fixedText(rt::utf8ToMacRoman(r.name), kCustomNameBytes);
    for (int w = 1; w <= 20; ++w) {
      if (kIntegerWord[w]) out.i16be(wordToI16(r.words[size_t(w)]));
      else out.f32be(r.words[size_t(w)]);
    }
  }
  return out.take();
}

}  // namespace qv
