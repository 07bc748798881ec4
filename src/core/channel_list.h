#pragma once
// The channel-list panel of tool windows: a heading and one radio button per channel of the
// file in use with its number and label, and a second column of radio buttons when the tool
// wants a second channel. The panels only draw and set the first marks; the tool window
// handles the clicks by button number:
//   TRANSCHAN   channel c is button c, and n + c in the second column (n channels);
//   TRANSCHANX  channel c is button c, and 40 + c in the second column.
// The second column is drawn when `mode` is 1 and yChan is 1 or FlowRateChannel is non-zero;
// otherwise second-column buttons left from an earlier drawing are removed.
#include <cstdint>
#include <string_view>

namespace qv {

// `top` and `left` place the panel in the current window; a non-zero `grey` draws grey boxes
// behind the columns; a non-empty `note` is printed above the labels.
void TRANSCHAN(std::string_view heading, std::string_view secondHeading, std::string_view note, int16_t top,
               int16_t mode, int16_t left, int16_t grey);
void TRANSCHANX(std::string_view heading, std::string_view secondHeading, std::string_view note, int16_t top,
                int16_t mode, int16_t left, int16_t grey);

// The heading as TRANSCHAN shows it: the gas names with their subscript digits.
std::string_view channelListHeading(std::string_view heading);

}  // namespace qv
