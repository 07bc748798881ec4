#pragma once
// The two windows of a gas-exchange run (window 4): the first asks for the destination, the
// flow source and the incurrent gas; the second for the output unit, the flow correction and
// the flow-system values.

namespace qv {

// False when its close box ended it (the typed fractions and RQ are kept either way).
bool gasFirstWindow();

// Draws the second window with the current settings.
void drawGasSecondWindow();
// Handles its events until "Compute Gas Exchange" (true) or the close box (false).
bool gasSecondWindowLoop();

}  // namespace qv
