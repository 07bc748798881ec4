#pragma once
// Channel-editing tools that the command dispatcher and the main loop start (argument 0:
// from the menu, not from a script step), and the editing settings start-up gives defaults.
#include <cstdint>
#include <string>

namespace qv {

// "Insert New Marker" at cases picked on the plot.
void InsertMarker();

void FixTheBASELINE(int16_t fromScript);
void LAGTIME(float lag, int16_t fromScript);
void SMOOTHING(int16_t fromScript);
void REMOVESPIKE(int16_t fromScript);
void IntREMOVESPIKE(int16_t fromScript);
void REMOVEREFS(int16_t fromScript);
// A derivative (derive = 1) or integral (derive = 0) channel.
void INTEGRATE(int16_t fromScript);
// Mode 0: the block maps to typed values; 1: to 0-100.
void BLOCKSCALE(int16_t mode, int16_t fromScript);
// Duplicates the active channel (callers check first that the file has fewer than 40).
void COPYCHAN(int16_t mode);
void BLOCKSET();
void CROPFILE();
// 0 this channel, 1 all channels.
void CUTBLOCK(int16_t mode);
void CUTCHANNEL();
void RemoveMarkersFromBlock();
// Asks before a whole-file cut deletes markers: 0 cancel, 1 yes, 99 yes and put one back.
int16_t CutMarkerWARNING();
void REARRANGE();
// The warning after a re-arrangement: saving under the old name makes it permanent.
void REARRANGEWARN();
// Where re-arranging keeps its copy of the file as it was (the program's data folder).
std::string rearrangeBackupPath();

// 0 integral, 1 derivative (set by the dispatcher before INTEGRATE).
extern int16_t derive;
extern float blockvalue;
extern int16_t FirstRefRemovalVal, SecondRefRemovalVal;

}  // namespace qv
