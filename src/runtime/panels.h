#pragma once
// Platform panels and alerts: the open and save panels, alerts, page set-up and the
// print dialog. Under scripted input each takes its answer record.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::rt {

// Open panel: a path, or nothing when cancelled. Extensions without dots; empty = any file.
std::optional<std::string> OSpanelOpen(std::string_view prompt, const std::vector<std::string>& extensions);
// Save panel with a suggested name; a path or nothing.
std::optional<std::string> OSpanelSave(std::string_view prompt, std::string_view suggestedName);

// An alert with one to three buttons; returns the button number chosen (1-based).
int alert(std::string_view title, std::string_view message, const std::vector<std::string>& buttons);
// The runtime's own file-error alert.
void FBFileErrorAlert();

// Opens a web address or mail link with the desktop's handler.
bool openUrl(std::string_view url);

}  // namespace qv::rt
