#pragma once
// The custom transforms in memory (CustomTransformsArray, CustomTransformsLabels) and their
// file: the default one in the user's data folder, others through the open and save panels.
#include <array>
#include <cstdint>
#include <string>

namespace qv {

// The default file "VIVavavuReruderava.VUvuv" in the user's data folder.
std::string customTransformsPath();

// Reads the default file (fromPanel 0) or one chosen in the open panel into the table; with
// showButtons, builds the list of records in the output window. A missing default file gives
// no records; a partial record at the end, or more than 40 records, is reported.
void LoadCustomTransformsArray(int16_t fromPanel, int16_t showButtons);

// Writes the unmarked records to the default file (toPanel 0) or to one chosen in the save
// panel. False when the file could not be written (the warning window says so).
bool SAVECustomTransformsArray(int16_t toPanel);

// Appends a record (name cut or padded to 48 characters). At 40 records it says so and adds
// nothing; returns the new record's number or 0.
int16_t addCustomTransform(const std::string& name, const std::array<float, 21>& words);

// A name cut or blank-padded to 48 characters.
std::string customName(const std::string& name);

}  // namespace qv
