#pragma once
// Popup menus of the tool windows. Each builder fills menu `menu` (a number the caller
// chooses) with its items; the window shows it in a popup control whose value is the chosen
// item, counted from 1 with separators and disabled items included.
#include <cstdint>

namespace qv {

// An empty popup menu of that number (the builders start with it).
void beginPopup(int16_t menu);

void SpikeTrimPopup(int16_t menu);
void GasUnitsPopup(int16_t menu);
void EWLUnitsPopup(int16_t menu);
void WaterVO2UnitsPopup(int16_t menu);
void pO2unitsPopup(int16_t menu);
void O2concentrationUnitsPopup(int16_t menu);
void BuildUnitsPopMenu(int16_t menu);
void UnitConvertPopupMenu1(int16_t menu);
void UnitConvertPopupMenu2(int16_t menu);
void UnitConvertPopupMenu3(int16_t menu);
void UnitConvertPopupMenu4(int16_t menu);
void TransformsPopupMenu(int16_t menu);
void ConversionsPopupMenu(int16_t menu);
void PolynomialDegreePopupMenu(int16_t menu);
void CustomTransformsPopupMenu(int16_t menu);
void RateConstantPopupMenu(int16_t menu);
void SpikeRemovalPopup(int16_t menu);
void WaveformStuffPopup(int16_t menu);
void WaveHistogramBarsPopup(int16_t menu);
void FFTfrequencyPopup(int16_t menu);
void MonthsPopupMenu(int16_t menu);
void Popup61(int16_t menu);
void Popup100(int16_t menu);
void WaterConditionsPopup(int16_t menu);
void TimeAveragingPopup(int16_t menu);
void SubplotColorsPopup(int16_t menu);

// Taxon popups of the allometry calculator: a taxon (with its temperature) and the source of
// its equation; the main popup's items 6 to 11 lead to the six taxon popups.
void MainTaxonSelectPopup(int16_t menu);
void ArthropodsPopupMenu(int16_t menu);
void FishPopupMenu(int16_t menu);
void AmphibianPopupMenu(int16_t menu);
void ReptilePopupMenu(int16_t menu);
void BirdPopupMenu(int16_t menu);
void MammalPopupMenu(int16_t menu);

// The channels of the file in use: item n is channel n ("n   label").
void BuildPopMenu(int16_t menu);
// Popup 333 of the plot window (top right of the plot area), on menu 333, showing
// ActiveChannel. A choice in it reaches the dispatcher as menu 5 with the channel as item.
constexpr int16_t kChannelPopup = 333;
void MakeChannelSelectionsPopUp();

}  // namespace qv
