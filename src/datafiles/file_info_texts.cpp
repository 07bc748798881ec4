#include "datafiles/file_info_texts.h"

#include <cmath>
#include <limits>

#include "runtime/numtext.h"

namespace qv {

std::string caseCountText(int32_t cases) {
  const double shown = double(cases) + 1;
  if (cases >= 1000001) return rt::PSusing("#,###,###", shown);
  if (cases >= 100001) return rt::PSusing("###,###", shown);
  if (cases >= 10001) return rt::PSusing("##,###", shown);
  return std::to_string(int64_t(cases) + 1);
}

DurationText durationText(float interval, int32_t cases) {
  const double product = double(interval) * double(cases);
  // Beyond a float the duration is shown as infinite (the cast itself would be undefined).
  const float d = std::fabs(product) > double(std::numeric_limits<float>::max())
                      ? (product > 0 ? 1 : -1) * std::numeric_limits<float>::infinity()
                      : float(product);
  if (d < 120) return {rt::PSstr(d), " sec"};
  if (d < 3600) return {rt::PSstr(d / 60), " min"};
  return {rt::PSstr(d / 3600), " hr"};
}

std::string deviceName(float code) {
  struct Device {
    float code;
    const char* name;
  };
  static const Device kDevices[] = {
      {1, "Lab-NB"},          {2, "PCI-1200"},          {3, "DAQCard-1200"},   {4, "ADC-1"},
      {5, "DT50 or DT500"},   {6, "demo mode"},         {7, "NI 16XE-50 series"}, {8, "Diziz IV2"},
      {83, "Sable UI3"},      {800, "DataTaker DT800"}, {80, "DataTaker DT80"}, {85, "DataTaker DT85"},
      {4119, "ADAM-4119"},
  };
  for (const Device& d : kDevices)
    if (d.code == code) return d.name;
  return "unknown";
}

std::optional<int16_t> acquisitionWord(float word) {
  if (!std::isfinite(word)) return std::nullopt;
  const double t = std::trunc(double(word));
  if (t < -32768 || t > 32767) return std::nullopt;
  return int16_t(t);
}

std::string inputText(float word1) {
  const int w = acquisitionWord(word1).value_or(0);
  if (w >= 100) return w % 100 == 0 ? "  ?  copy " : rt::PSstrLong(w % 100) + "  copy";
  if (w == 0) return "     ?";
  return rt::PSstrLong(w);
}

std::string readingsText(float word6) {
  const double r = std::isfinite(word6) ? std::nearbyint(double(word6)) : 0.0;  // half to even
  if (r == 0 || std::fabs(r) > 2147483647.0) return "?";
  return std::to_string(int64_t(r));
}

int transformCode(float word5) { return acquisitionWord(word5).value_or(-1); }

std::string transformText(int code) {
  switch (code) {
    case 0: return "   unknown  (assumed linear) ";
    case 1: return "linear (A + B * volts) ";
    case 2:
    case 11: return "poly (A + B*volts + C*volts";
    case 3: return "power  (A + volts^B) ";
    case 4: return "exponential (A + volts^B) ";
    case 8: return "   not transformed";
    case 9: return "log (A + B*log[volts]) ";
    case 10: return "reciprocal (A + B/volts) ";
    default: return "";
  }
}

std::string polynomialText(const float k[5]) {
  return "[" + rt::PSstr(k[0]) + "+" + rt::PSstr(k[1]) + "*V +" + rt::PSstr(k[2]) + "*V2 +" + rt::PSstr(k[3]) +
         "*V3 ] *" + rt::PSstr(k[4]);
}

std::vector<RowText> acquisitionRow(const float* w, const float k[5]) {
  const int code = transformCode(w[5]);
  if (code == 6) {
    std::vector<RowText> row{{694, readingsText(w[6])}};
    if (k[1] == 0 && k[2] == 0 && k[3] == 0) {
      row.push_back({384, "3-order polynomial conversion"});
      row.push_back({586, "nonlinear"});
    } else {
      row.push_back({310, polynomialText(k)});
    }
    return row;
  }
  if (code == 7) return {{384, "keyboard event recorder"}};
  if (code == 5) return {{364, "complex breakpoint equation"}};
  if (code < 0 || code > 11) {
    if (w[2] == 0 && w[3] == 0 && w[4] == 0) return {{414, "data transformed after acquisition"}};
    return {};
  }
  const bool unknown = code == 0;
  return {{266, inputText(w[1])},
          {320, rt::PSstr(unknown ? 0.0f : w[2])},
          {415, rt::PSstr(unknown ? 1.0f : w[3])},
          {507, rt::PSstr(unknown ? 1.0f : w[4])},
          {757, readingsText(w[6])},
          {596, transformText(code), code == 2 || code == 11}};
}

std::vector<int> legendChannels(int active, const int16_t* flags, int channels) {
  std::vector<int> rows{active};
  for (int c = 1; c <= channels; ++c)
    if (flags[c] && c != active) rows.push_back(c);
  return rows;
}

}  // namespace qv
