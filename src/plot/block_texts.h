#pragma once
// The texts of block selection: the readouts of the data bar during a drag and the title of
// the block window. Numbers are the runtime's plain number text (a blank before a value
// that is not negative); case numbers are shown counted from 1, one more than stored.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::plot {

// Field 54 during a drag: " #" and the case, then the time since the start of the file.
std::string dragCaseText(int64_t kase, double interval);
// Field 55 during a drag: the time of day of the case ("h:mm:ss"), from the file's start in
// minutes after midnight; empty when it cannot be told.
std::string dragTimeOfDayText(int64_t kase, double interval, double startMinutes);
// Field 17 during a drag: the width of the block as a duration.
std::string blockWidthText(double seconds);
// The block window's title: as it is opened ("cases", two blanks before the count) and as
// it is redrawn while open ("Cases", one blank).
std::string blockWindowTitle(int channel, std::string_view label, int32_t begin, int32_t end, bool opening);

}  // namespace qv::plot
