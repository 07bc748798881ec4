#include "core/popups.h"

#include "runtime/menus.h"

// The popup menus of the tool windows. Item texts are entered as the lists the windows were
// designed with (their own spacing kept); a popup's value is the item number, separators
// included.

namespace qv {

void beginPopup(int16_t menu) { rt::menuCreate(menu, ""); }

void SpikeTrimPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "All spikes ;'Down' spikes only ;'Up' spikes only");
}

void GasUnitsPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "ml ⁄ min ;ml ⁄ [g min] ;ml ⁄ hour ;L ⁄ hour ;µl ⁄ min ;µl ⁄ g min] ;µl ⁄ hour");
  rt::menuSetItems(menu, 8, "ml ⁄ [g hour] ;ml ⁄ [kg hour] ;µ ⁄ [g hour] ;L ⁄ [kg hour] ;µwatts");
  rt::menuSetItems(menu, 13, "milliwatts ;watts ;watts ⁄ kg ;joules ⁄ day ;KJ ⁄ day ;MJ ⁄ day");
  rt::menuSetItems(menu, 19, "KJ ⁄ [kg day] ;MJ ⁄ [kg day]");
}

void EWLUnitsPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "mg ⁄ min ;mg ⁄ [g min] ;mg ⁄ hour ;g ⁄ hour ;µg ⁄ min ;µg ⁄ [g min] ;µg ⁄ hour");
  rt::menuSetItems(menu, 8, "mg ⁄ [g hour] ;mg ⁄ [kg min] ;µg ⁄ [g hour] ;g ⁄ [kg hour] ;µwatts");
  rt::menuSetItems(menu, 13, "milliwatts ;watts ;watts ⁄ kg ;joules ⁄ day ;KJ ⁄ day ;MJ ⁄ day");
  rt::menuSetItems(menu, 19, "KJ ⁄ [kg day] ;MJ ⁄ [kg day]");
}

void WaterVO2UnitsPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "mL O₂ ⁄ min ;µL O₂ ⁄ min ;mmole O₂ ⁄ min ;µmole O₂⁄ min ;µL O₂ ⁄ hour");
  rt::menuSetItems(menu, 6, "µmole O₂/hour ;milliwatts ;µwatts ;Joules/hour");
}

void pO2unitsPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "mL O₂ ;µL O₂ ;mmole O₂ ;µmole O₂");
}

void O2concentrationUnitsPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "% O₂ saturation ;pO₂  [torr] ;ppm O₂ [as mass] ;mg O₂ ⁄ Liter H₂O");
}

void BuildUnitsPopMenu(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, " ml O₂  ⁄ min; ml O₂ ⁄ [g min] ; ml O₂ ⁄ hour ; L O₂ ⁄ hour");
  rt::menuSetItems(menu, 5, "µl O₂ ⁄ min ;µ O₂ ⁄ [g min] ;µl O₂⁄ hour ; ml O₂ ⁄  [g hour] ; ml O₂ ⁄ [Kg hour] ; µl O₂ ⁄ [g hour] ; L O₂ ⁄ [Kg hour]");
  rt::menuSetItems(menu, 12, " –heat units [joules] –  ; µwatts ; milliwatts ; watts ; watts  ⁄ Kg ; joules ⁄ day; KJ ⁄ day ; MJ ⁄ day");
  rt::menuSetItems(menu, 20, " KJ ⁄ [kg day]  ; MJ ⁄ [kg day]  ; – heat units [calories] – ; cal ⁄ day ; Kcal ⁄ day ; cal ⁄ [g day]  ; Kcal ⁄ [kg day] ");
  // The two headings are not choices.
  rt::menuSetItemState(menu, 12, 0);
  rt::menuSetItemState(menu, 22, 0);
}

void UnitConvertPopupMenu1(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "joules – > calories ;calories – > joules ;watts – > KJ ⁄ day ;watts – > Kcal ⁄ day");
  rt::menuSetItems(menu, 5, "watts – > cal ⁄ min ;BTU ⁄ hr – > Kilowatts ;BTU – > KJoules ;horsepower – > Kilowatts");
  rt::menuSetItems(menu, 9, "Kilowatts – > horsepower ;°F – > °C  ;°C  – > °F;°C – > °K;mg H₂O – > joules [@ 37 °C]");
}

void UnitConvertPopupMenu2(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "m ⁄ sec – > km ⁄ h ;km ⁄ h – > m ⁄ sec ;m.p.h. – > m ⁄ sec ;rate ⁄ sec – > rate ⁄ h");
  rt::menuSetItems(menu, 5, "rate ⁄ h – > rate ⁄ sec ;rate ⁄ min – > rate ⁄ sec ;knots – > km ⁄ h ;km ⁄ h – > knots");
  rt::menuSetItems(menu, 9, "m.p.h. – > knots ;knots – > m.p.h ;m.p.h. – > km ⁄ h ;inches – > cm ;cm – > feet");
  rt::menuSetItems(menu, 14, "feet – > cm ;feet – > meters ;meters – > feet ;miles – > km ;km – > miles ;acres – > hectares");
  rt::menuSetItems(menu, 20, "square miles – > acres ;square miles – > hectares ;square miles – > square km ;square yards – > square meters");
  rt::menuSetItems(menu, 24, "square feet – > square meters ;square inches – > square cm");
}

void UnitConvertPopupMenu3(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "pounds – > kg ;kg – > pounds ;ounces – > grams ;grams – > ounces");
  rt::menuSetItems(menu, 5, "US ton – > kilograms ;UK tonne – > kilograms ;carat [gem] – > gram ;cubic feet – > cubic meters");
  rt::menuSetItems(menu, 9, "cubic meters – > cubic feet ;cubic feet – > liters ;US gallons – > liters ;US pint – > liters");
  rt::menuSetItems(menu, 13, "US quart – > liter ;cup – > liter ;barrels [oil] – > liters ;mmoles – > ml gas @ STP");
  rt::menuSetItems(menu, 17, "ml gas @ STP – > mmoles ;footcandle – > lux ;DUMMY ;altitude – > max. noon sunlight");
  rt::menuSetItemText(menu, 19, "sun elevation – > sunlight watts ⁄ m²");
}

void UnitConvertPopupMenu4(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Torr – > Kilopascals ;PSI – > Torr ;Torr – > PSI ;mm H₂O – > Torr");
  rt::menuSetItems(menu, 5, "Kilopascals – > Torr ;Kilopascals – > Atmospheres ;Atmospheres – > Kilopascals");
  rt::menuSetItems(menu, 8, "Atmospheres – > Torr ;Atmospheres – > PSI ;Bars – > Torr ;Torr – > Bars");
  rt::menuSetItems(menu, 12, "Bars – > Atmospheres ;Atmospheres – > Bars ;P.S.I. – > Bars ;Bars – > PSI");
  rt::menuSetItems(menu, 16, "°C – > torr H₂O vapor ;DUMMY ;DUMMY ;KPA H₂O – > % vol H₂O  [760 torr]");
  rt::menuSetItems(menu, 20, "DUMMY ;Torr H₂O – > % vol H₂O [760  torr]");
  rt::menuSetItems(menu, 22, "Kilopascals H₂0 vapor – > % RH");
  rt::menuSetItems(menu, 23, "% RH – > Kilopascals H₂0 vapor");
  rt::menuSetItemText(menu, 17, "°C – > g H₂O vapor ⁄ m³");
  rt::menuSetItemText(menu, 18, "KPa H₂O – > g H₂O vapor ⁄ m³");
  rt::menuSetItemText(menu, 20, "Torr H₂O – > g H₂O vapor ⁄ meter³");
}

void TransformsPopupMenu(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Response Correction;Polynomial;1 ⁄ Channel X;Sign [Channel X * -1]");
  rt::menuSetItems(menu, 5, "dummy;a - Channel X ;Channel X - a ;a ÷ Channel X  ");
  rt::menuSetItems(menu, 9, "Channel X ÷ a;√Channel X ;Channel X² ;ln Channel X ;log10 Channel X");
  rt::menuSetItems(menu, 14, "dummy ;dummy ;dummy;Absolute Value");
  rt::menuSetItems(menu, 18, "Fixed Q10 Correction ;-;Breakpoint Transforms;-;Channel X + Channel Y");
  rt::menuSetItems(menu, 23, "Channel X - Channel Y ;Channel X * Channel Y ;Channel X ÷ Channel Y");
  rt::menuSetItems(menu, 26, "Q10 of ch. X:  ch. Y is °C");
  rt::menuSetItemText(menu, 5, "a + b*[Channel X ^ exp]");
  rt::menuSetItemText(menu, 14, "e ^Channel X ");
  rt::menuSetItemText(menu, 15, "10 ^Channel X ");
  rt::menuSetItemText(menu, 16, "a ÷ [Channel X ^ exp]");
}

void ConversionsPopupMenu(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "joules – > cal ;cal – > joules ;watts – > KJ ⁄ day ;watts – > Kcal ⁄ day");
  rt::menuSetItems(menu, 5, "watts – > cal ⁄ min ;BTU ⁄ hr – > Kilowatts ;mg H₂0 – > joules [37 °C] ;Torr – > Kilopascals");
  rt::menuSetItems(menu, 9, "P.S.I. – > Torr ;mm H₂O – > Torr ;Kilopascals – > Torr ;Kilopascals – > Atm ;Atm. – > Kilopascals");
  rt::menuSetItems(menu, 14, "Atm. – > Torr ;m ⁄ s – > km ⁄ hour ;km ⁄ hour – > m ⁄ s ;m.p.h. – > m ⁄ s");
  rt::menuSetItems(menu, 18, "ml gas @ STP – > mmole ;mmole – > ml gas @ STP ;rate ⁄ sec – > rate ⁄ hour ;rate ⁄ hour – > rate ⁄ sec");
  rt::menuSetItems(menu, 22, "rate ⁄ min – > rate ⁄ sec ;°F – > °C  ;°C  – > °K ;°C – > KPa H₂O vapor ;°C – > Torr H₂O vapor");
  rt::menuSetItems(menu, 27, "dummy ;KPa H₂O – > % vol H₂O ;÷ mass [g] ;÷ mass [kg]");
  rt::menuSetItemText(menu, 27, "KPa H₂O – > g H₂0 ⁄ m^3");
}

void PolynomialDegreePopupMenu(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "one ;two ;three ;four;five ;six ;seven ;eight ;nine");
}

void CustomTransformsPopupMenu(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Custom Transforms... ;-;Retrieve or Edit Transform ;Add New  Transform");
  rt::menuSetItems(menu, 5, "Export Custom Transforms ;Import Custom Transforms");
}

void RateConstantPopupMenu(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "1 %;5 %;10 % ;25 %;33 % ;50 % ;67 % ;75 % ;90 % ;95 % ;99 %");
}

void SpikeRemovalPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Smooth Once ;Smooth Twice ;Smooth X3 ;Smooth X4 ;Smooth X5");
}

void WaveformStuffPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Peak Height  [baseline = zero] ;Wave Amplitude  [valley to peak] ;Interpeak Interval  [seconds]");
}

void WaveHistogramBarsPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "5 ;8 ;10 ;12;15 ;20 ;25 ;30 ;40 ;50 ;60 ;75 ;100");
}

void FFTfrequencyPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Frequency [Hz] ;Frequency [mHz] ;Frequency [KHz] ;-");
  rt::menuSetItems(menu, 5, "Period [millisec] ;Period [sec] ;Period [min] ;Period [hours]");
}

void MonthsPopupMenu(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "January;February;March;April");
  rt::menuSetItems(menu, 5, "May;June;July;August;September;October;November;December");
}

void Popup61(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Minimal Metabolism [MMR]  ;Normal Activity [3X MMR] ;5X MMR ;10X MMR ;25X MMR; ;100X MMR [insect flight]");
}

void Popup100(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "33%  ;50% ;67% ;75% ;90% ;95% ;99%");
}

void WaterConditionsPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Freshwater [~ 1 ppt] ;Brackish water [~15 ppt] ;Ocean water [~35 ppt]");
}

void TimeAveragingPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Days  ;Hours ;Minutes ;Seconds ; mSeconds");
}

void SubplotColorsPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItems(menu, 1, "Yellow on red ;Black on white ;White on black; Blue on sunset");
}

}  // namespace qv
