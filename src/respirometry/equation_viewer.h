#pragma once
// The equation viewer: the page of the equation a gas-exchange run will use, shown beside the
// plot with a key of its symbols (window 14).
#include <cstdint>

namespace qv {

// The page of gas (1 VO2, 2 VCO2, 3 EWL), companion data (UseVCO2) and configuration
// (FlowMode): 145..173, or 199 (no page) for a combination that has no equation.
int16_t gasEquationPage(int16_t gasType, int16_t useVCO2, int16_t flowMode);

// Window 14 with the page of GasType, UseVCO2 and FlowMode; stays until closed.
void SHOWGASEQUATION();

// Key 174 O2, 175 CO2, 176 water: the symbols, drawn into the output window.
void ShowGasSymbolsKey(int16_t key);

}  // namespace qv
