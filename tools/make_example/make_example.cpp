// Makes the example recording the program ships: three hours of a flow-through respirometry
// run on a mouse, sampled every second, written in the program's own binary format.
//
//   build/tools/make_example resources/examples/respirometry-run.KXdata
//
// The animal is in the chamber from the start; three animal periods alternate with
// baselines on the empty reference line (marked "A" and "B"). Oxygen falls and carbon
// dioxide rises with the animal's metabolism, smoothed by the chamber's washout; activity
// bursts raise the metabolic rate. The file loads unchanged: entry 0 of every channel equals
// case 1, no value near the start is tiny or huge, and no channel has an isolated spike.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "datafiles/binary_format.h"
#include "runtime/files.h"
#include "runtime/utf8.h"

using namespace qv;

namespace {

constexpr int32_t kCases = 3 * 60 * 60;  // three hours at one second
constexpr float kFlow = 500.0f;          // ml/min
constexpr float kChamberVolume = 1200.0f;
constexpr float kBodyMass = 28.4f;
constexpr int kPeriodMinutes[] = {48, 12, 48, 12, 48, 12};  // animal, baseline, ...

// A small deterministic generator, so the example is the same on every machine.
struct Noise {
  uint64_t state = 0x9E3779B97F4A7C15ull;
  double uniform() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return double(state >> 11) / double(uint64_t(1) << 53);
  }
  double gauss() {
    const double u = std::max(uniform(), 1e-12), v = uniform();
    return std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * v);
  }
};

struct Run {
  std::vector<float> o2, co2, flow, temp, activity;
  std::vector<Marker> markers;
};

Run simulate() {
  Run run;
  for (auto* v : {&run.o2, &run.co2, &run.flow, &run.temp, &run.activity}) v->assign(size_t(kCases) + 1, 0);
  Noise noise;
  const double tau = kChamberVolume / kFlow * 60;  // washout time constant, seconds
  double fo2Drop = 0, fco2Rise = 0, burst = 0;
  int32_t periodEnd = 0;
  size_t period = 0;
  bool animal = false;
  for (int32_t i = 1; i <= kCases; ++i) {
    if (i > periodEnd) {
      animal = period % 2 == 0;
      run.markers.push_back({i, animal ? 'A' : 'B'});
      periodEnd += kPeriodMinutes[period++] * 60;
    }
    const double t = double(i);
    // Activity: an exploring start, then bursts that come and fade.
    double counts = 0;
    if (animal) {
      if (burst < 1 && noise.uniform() < 0.004) burst = 20 + 60 * noise.uniform();
      burst *= 0.985;
      const double exploring = 45 * std::exp(-t / 600);
      counts = std::max(0.0, std::round(burst + exploring + 2 * noise.gauss()));
    }
    if (i <= 3) counts = std::max(counts, 30.0 - i);
    run.activity[size_t(i)] = float(counts);

    // Metabolism (ml O2/min): resting rate with a slow rhythm, raised by activity.
    const double vo2 = animal ? 1.55 + 0.12 * std::sin(t / 1900) + 0.012 * counts : 0;
    const double vco2 = 0.85 * vo2;
    const double targetDrop = 100 * vo2 / kFlow, targetRise = 100 * vco2 / kFlow;
    fo2Drop += (targetDrop - fo2Drop) / tau;
    fco2Rise += (targetRise - fco2Rise) / tau;

    const double drift = 0.012 * t / kCases;  // the oxygen analyser drifts slowly
    run.o2[size_t(i)] = float(20.95 + drift - fo2Drop + 0.0015 * noise.gauss());
    run.co2[size_t(i)] = float(std::max(0.02, 0.041 + fco2Rise + 0.0008 * noise.gauss()));
    run.flow[size_t(i)] = float(kFlow + 0.4 * std::sin(t / 311) + 0.25 * noise.gauss());
    run.temp[size_t(i)] = float(24.5 + 0.35 * std::sin(t / 2600 + 0.4) + 0.02 * noise.gauss());
  }
  for (auto* v : {&run.o2, &run.co2, &run.flow, &run.temp, &run.activity}) (*v)[0] = (*v)[1];
  return run;
}

DataFile exampleFile() {
  Run run = simulate();
  DataFile f;
  f.nCases = kCases;
  f.nChannels = 5;
  const char* labels[] = {"", "O2 %", "CO2 %", "Flow ml/min", "Chamber °C", "Activity"};
  std::vector<float>* data[] = {nullptr, &run.o2, &run.co2, &run.flow, &run.temp, &run.activity};
  f.channels[0] = allocateSamples(kCases);
  std::fill_n(f.channels[0].get(), size_t(kCases) + 1, 0.0f);
  for (int c = 1; c <= 5; ++c) {
    f.channels[size_t(c)] = allocateSamples(kCases);
    std::copy(data[c]->begin(), data[c]->end(), f.channels[size_t(c)].get());
    f.meta.labels[size_t(c)] = rt::fitChars(labels[c], kLabelWidth);
    f.meta.variables[c][3] = 1;  // acquisition scale: value = 0 + 1 x reading
  }
  f.meta.info[1] = 1;
  f.meta.info[2] = kFlow;
  f.meta.info[3] = 24.5f;
  f.meta.info[4] = 748;
  f.meta.info[5] = kChamberVolume;
  f.meta.info[6] = kBodyMass;
  f.meta.startDate = "05-14-2024";
  f.meta.startTime = "09:12:00";
  f.meta.markers = run.markers;
  f.meta.comment =
      "Flow-through respirometry, mouse M-07 (28.4 g), fasted 4 h.\r"
      "Chamber 1200 ml at 24.5 °C, flow 500 ml/min upstream of the chamber,\r"
      "water vapour and CO2 scrubbed before the O2 analyser.\r"
      "Markers: A animal chamber, B baseline (empty reference line).";
  f.meta.notes = {{"5", "09:12:05", "animal placed, lid sealed"},
                  {"5500", "10:43:40", "grooming"},
                  {"9500", "11:50:20", "asleep in the corner"}};
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_example OUTPUT.KXdata\n");
    return 2;
  }
  const DataFile f = exampleFile();
  std::vector<int16_t> channels{1, 2, 3, 4, 5};
  BinarySaveResult r = saveFPBinary(viewOf(f), 0, f.nCases, channels, f.meta.startDate, f.meta.startTime);
  std::string error;
  if (!r.ok() || !rt::writeFileAtomic(argv[1], r.bytes, &error)) {
    std::fprintf(stderr, "make_example: %s\n", r.ok() ? error.c_str() : r.error.c_str());
    return 1;
  }
  return 0;
}
