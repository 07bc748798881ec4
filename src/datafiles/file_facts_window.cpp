// The loading window's lines about the file being read.
#include "core/filetable.h"
#include "core/kit.h"
#include "datafiles/file_facts.h"
#include "datafiles/load_state.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

void SHOWFILEDATA() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return;
  FileSHORTS[f][4] = int64_t(nCases[f]) + CasesInFileToMerge > ScreenWidth ? 1 : 0;
  const int channels = ChannelsInFileToMerge > 0 ? ChannelsInFileToMerge : nChannels[f];
  const int32_t cases = nCases[f] != 0 ? nCases[f] : CasesInFileToMerge;
  rt::textFont(KestrixFont);
  rt::textSize(12);
  PrintAt(16, 142, contentsLine(channels, cases));
  PrintAt(16, 159, sampleIntervalLine(FileInfoFLOATS[f][1]));
  rt::colorNumber(7);
  rt::refreshPump();
}

void SHOWFILEDATAx(std::string_view date, std::string_view time) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return;
  rt::textFont(KestrixFont);
  rt::textSize(13);
  if (!date.empty()) PrintAt(16, 125, recordedOnLine(date, time));
  FileInfoFLOATS[f][8] = startTimeOfDayMinutes(time);
  SHOWFILEDATA();
  rt::refreshPump();
}

}  // namespace qv
