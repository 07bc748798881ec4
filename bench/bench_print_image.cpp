// The printed image of the plot: a page of 40 channels of 6,100,000 noisy cases printed to
// a PDF file, timed turn about with one read pass of the same 40 channels; and the size of
// that PDF beside the same page printed from 6,100 cases. The traces are drawn as one
// envelope per pixel column, so the page's size should not grow with the cases.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/channel_selection.h"
#include "core/filetable.h"
#include "datafiles/datafile.h"
#include "output/image_print.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/panels.h"
#include "runtime/runtime.h"
#include "noisy_samples.h"
#include "ratio_reporter.h"

using namespace qv;

namespace {

constexpr int kChannels = kMaxChannels;
constexpr int32_t kSmallCases = 6100;
constexpr int kBigSlot = 0, kSmallSlot = 1;

std::string pdfPath(const char* what) {
  return (std::filesystem::temp_directory_path() / ("qv-image-bench-" + std::to_string(getpid()) + what)).string();
}

// Every channel the noisy samples lifted by its number, so the strips differ.
void loadFile(int slot, int32_t cases) {
  const std::vector<float>& noisy = qvbench::noisySamples();
  DataFile d;
  d.nCases = cases;
  d.nChannels = kChannels;
  for (int c = 0; c <= kChannels; ++c) {
    d.channels[size_t(c)] = allocateSamples(cases);
    float* a = d.channels[size_t(c)].get();
    for (int32_t i = 0; i <= cases; ++i) a[i] = noisy[size_t(i)] + float(c);
  }
  d.meta.name = slot == kBigSlot ? "full.KXdata" : "small.KXdata";
  d.meta.info[1] = 0.1f;
  d.meta.startDate = "01-01-2024";
  d.meta.startTime = "09:15:00";
  commitDataFile(std::move(d), slot);
  TheFileInUse = int16_t(slot);
  ActiveChannel = 1;
  FileSHORTS[slot][1] = 1;
  DrawMAINWINDOW(0, 0);
  FileSHORTS[slot][4] = 1;  // the whole file in the width
  for (int c = 1; c <= kChannels; ++c) overlayFlag(slot, 1, c) = 1;
}

double readAllChannels(int slot) {
  double sum = 0.0;
  for (int c = 1; c <= kChannels; ++c) {
    const float* d = channelData(slot, c);
    for (int32_t k = 1; k <= nCases[slot]; ++k) sum += double(d[k]);
  }
  return sum;
}

// One page of every channel of the slot, printed to `path`; its size in bytes (0: failed).
uintmax_t printPage(int slot, const std::string& path) {
  TheFileInUse = int16_t(slot);
  std::vector<int> channels;
  for (int c = 1; c <= kChannels; ++c) channels.push_back(c);
  rt::setPageScale(0.68);
  rt::SetPrintJobName("Image of '" + FileName[slot] + "'");
  rt::printNextPageTo(path);
  drawImagePage(slot, ImageOptions{}, channels);
  if (!rt::CloseLPrint()) return 0;
  return std::filesystem::file_size(path);
}

struct Sizes {
  uintmax_t big = 0, small = 0;
};
Sizes gSizes;

void PrintFullSizePage(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const std::string big = pdfPath("-full.pdf"), small = pdfPath("-small.pdf");
  gSizes.small = printPage(kSmallSlot, small);
  double bestRead = 1e300, bestPrint = 1e300;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(readAllChannels(kBigSlot));
    const auto t1 = Clock::now();
    gSizes.big = printPage(kBigSlot, big);
    const auto t2 = Clock::now();
    if (gSizes.big == 0) state.SkipWithError("the page was not printed");
    bestRead = std::min(bestRead, std::chrono::duration<double>(t1 - t0).count());
    bestPrint = std::min(bestPrint, std::chrono::duration<double>(t2 - t1).count());
    state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
  }
  std::filesystem::remove(big);
  std::filesystem::remove(small);
  qvbench::setBestBesideRead(state, bestRead, bestPrint);
}

class PageReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) qvbench::printBestBesideRead(r, 4);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (gSizes.small == 0) return;
    std::printf("PDF of 6,100,000 cases: %ju bytes = %.2f x the page of 6,100 cases (%ju bytes); goal at most 2 x\n",
                gSizes.big, double(gSizes.big) / double(gSizes.small), gSizes.small);
    qvbench::recordGoal("PDF of 6,100,000 cases beside the page of 6,100", double(gSizes.big) / double(gSizes.small), 2);
  }
};

}  // namespace

BENCHMARK(PrintFullSizePage)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  unsetenv("QV_EVENTS");
  rt::initRuntime(argc, argv);
  loadFile(kSmallSlot, kSmallCases);
  loadFile(kBigSlot, qvbench::kChannelCases);
  benchmark::Initialize(&argc, argv);
  PageReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
