#pragma once
// The About window (33) and its More Info window (34).
namespace qv {

constexpr int kAboutWindow = 33, kMoreInfoWindow = 34;

// Runs the About window until it is closed.
void AboutQuorvelant();
// Runs the window of capacity limits and the running system until it is closed.
void ShowMoreInfo();

}  // namespace qv
