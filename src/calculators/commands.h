#pragma once
// The Special-menu calculators that the dispatcher, the main loop's keys and the start-up
// window start. Each runs its window modally and returns when it is closed.
#include <cstdint>

namespace qv {

void SIMPLECALC();
void SimpleRegression();
void STPflowAdjust();
void ALTITUDE();
void AltitudeSimulation();
void PO2CALC();
void DissolvedO2CALC();
// 0 resting metabolism by allometry, 1 minimum flow rate.
void METABOLISM(int16_t mode);
void ChamberWashout();
void Q10adjust();
void ClosedSystemRespirometry();
void VENTILATION();
void DayOfTheYear();
void Sunrise();
void UnitCONVERSIONS();

// Blinks "***  MATH ERROR !!  ***" in the X field of Simple Math and puts its text back.
void CALCERROR();

// Temperature (°C) of the %RH conversions; it lasts for the program's run.
extern float TemperatureForKPA;
// The X value Simple Math leaves when it closes, offered to the next calculator.
extern float LastCalculatorResult;
// The edit field of a calculator window that has the focus.
extern int16_t currentEF;

}  // namespace qv
