#include "datafiles/file_facts.h"

#include <gtest/gtest.h>

#include "core/filetable.h"
#include "datafiles/binary_format.h"
#include "datafiles/load_state.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

TEST(FileFacts, CaseCountsAndLines) {
  EXPECT_EQ(MakeCaseNumber(999), " 999");
  EXPECT_EQ(MakeCaseNumber(1000), "1,000");
  EXPECT_EQ(MakeCaseNumber(54321), "54,321");
  EXPECT_EQ(MakeCaseNumber(6100000), "6,100,000");
  EXPECT_EQ(contentsLine(1, 10800), "\u2022  Contains one channel with 10,800 cases");
  EXPECT_EQ(contentsLine(5, 999), "\u2022  Contains 5 channels with  999 cases each");
  EXPECT_EQ(sampleIntervalLine(1.0f), "\u2022  Sample interval 1 second");
  EXPECT_EQ(sampleIntervalLine(2.0f), "\u2022  Sample interval 2 seconds");
  EXPECT_EQ(sampleIntervalLine(0.5f), "\u2022  Sample interval 0.5 second");
  EXPECT_FLOAT_EQ(startTimeOfDayMinutes("13:30:30"), 810.5f);
  EXPECT_FLOAT_EQ(startTimeOfDayMinutes(""), 0.0f);
}

TEST(FileFacts, LoadingWindowLinesSetTheStartTimeEvenWithoutADate) {
  qvtest::resetRuntime();
  TheFileInUse = 2;
  nCases[2] = 0;
  nChannels[2] = 0;
  CasesInFileToMerge = 5000;
  ChannelsInFileToMerge = 3;
  FileInfoFLOATS[2][1] = 1;
  rt::openWindow(15, "File", {154, 100, 535, 305}, rt::kDocumentWindowClass, 0);
  SHOWFILEDATAx("", "08:15:00");
  EXPECT_FLOAT_EQ(FileInfoFLOATS[2][8], 495.0f);
  EXPECT_EQ(FileSHORTS[2][4], 1);  // 5,000 cases do not fit the plot width
  rt::closeWindow(15);
  CasesInFileToMerge = 0;
  ChannelsInFileToMerge = 0;
}

TEST(EndianFix, TwiceRestoresTheSamples) {
  TheFileInUse = 3;
  nCases[3] = 3;
  nChannels[3] = 1;
  gPointersToFileData[3][1] = allocateSamples(3);
  float* a = channelData(3, 1);
  a[0] = 7;
  a[1] = 1.5f;
  a[2] = -2;
  a[3] = 1e-3f;
  BigENDIANtoLittleEndian();
  EXPECT_EQ(a[0], 7.0f);  // entry 0 holds no sample and is left alone
  EXPECT_EQ(a[1], SwapSingleBigToHost(std::bit_cast<uint32_t>(1.5f)));
  BigENDIANtoLittleEndian();
  EXPECT_EQ(a[1], 1.5f);
  EXPECT_EQ(a[3], 1e-3f);
  freeSlotArrays(3);
  nCases[3] = 0;
  nChannels[3] = 0;
}
