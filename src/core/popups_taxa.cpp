#include <string>
#include <vector>

#include "core/popups.h"
#include "runtime/menus.h"

// The taxon popups of the allometry calculator. Each item names a taxon (and the body
// temperature of its equation where it has one) followed by the source of the equation in
// brackets; items sharing a source mark share the source.

namespace qv {

namespace {

// The sources of the equations. Where we know the publication it is named by authors and
// year; the others keep their source mark.
std::string source(int s) {
  switch (s) {
    case 13: return "[Lasiewski & Dawson 1967]";
    case 14: return "[Aschoff & Pohl 1970]";
    case 18: return "[Brody 1945]";
    default: return "[source S" + std::to_string(s) + "]";
  }
}

struct Taxon {
  const char* name;
  int source;       // 0: no source given
  bool indented;    // a subgroup of the item above
};

void taxonItems(int16_t menu, const std::vector<Taxon>& taxa) {
  beginPopup(menu);
  int item = 1;
  for (const Taxon& t : taxa) {
    std::string text = std::string(t.indented ? "   " : "") + t.name;
    if (t.source) text += "  " + source(t.source);
    rt::menuSetItemText(menu, item, text);
    rt::menuSetItemState(menu, item++, 1);
  }
  rt::menuSetItems(menu, item, "-;Main Taxon Menu...");
}

}  // namespace

void MainTaxonSelectPopup(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItemText(menu, 1, "Unicellular organisms, 20 °C  " + source(1));
  rt::menuSetItems(menu, 2, "-");
  rt::menuSetItemText(menu, 3, "Poikilotherms, 20 °C  " + source(1));
  rt::menuSetItemText(menu, 4, "Homeotherms, 39 °C  " + source(1));
  rt::menuSetItems(menu, 5, "-");
  for (int item : {1, 3, 4}) rt::menuSetItemState(menu, item, 1);
  rt::menuSetItems(menu, 6, " Land Arthropods [sub-menu]; Fish [sub-menu] ; Amphibians [sub-menu] ; Reptiles [sub-menu]");
  rt::menuSetItems(menu, 10, " Birds [sub-menu] ; Mammals [sub-menu] ;-; Custom coefficient and exponent");
}

void ArthropodsPopupMenu(int16_t menu) {
  taxonItems(menu, {{"Land Arthropods, 25 °C", 2, false},
                    {"Insects, 25 °C", 3, false},
                    {"Ticks, 25 °C", 2, true},
                    {"Scorpions, 25 °C", 4, true},
                    {"Spiders, 25 °C", 2, true},
                    {"Tenebrionids, 25 °C", 2, true},
                    {"Ants, 25 °C", 2, true},
                    {"Beetles, 23.5 °C", 5, false},
                    {"Moths, 23 °C", 5, false}});
}

void FishPopupMenu(int16_t menu) {
  beginPopup(menu);
  rt::menuSetItemText(menu, 1, "SMR, all orders  " + source(6));
  rt::menuSetItemState(menu, 1, 1);
  rt::menuSetItems(menu, 2, "Routine  resting MR, all fish orders ;Active MR, all fish;   Routine MR, Teleosts");
  rt::menuSetItems(menu, 5, "   SMR, Teleosts;   SMR, Elasmobranchs ;   SMR, Agnathans");
  rt::menuSetItems(menu, 8, "-;Main Taxon Menu...");
}

void AmphibianPopupMenu(int16_t menu) {
  taxonItems(menu, {{"Lungless Salamanders, 25 °C", 7, false},
                    {"Lunged Salamanders, 25 °C", 7, false},
                    {"Frogs (Ranidae)", 8, false},
                    {"Amphibians", 6, false}});
}

void ReptilePopupMenu(int16_t menu) {
  taxonItems(menu, {{"Reptiles, 30 °C", 9, false},
                    {"Lizards, 30 °C", 9, false},
                    {"Lizards, 37 °C", 9, false},
                    {"Snakes, 30 °C", 9, false},
                    {"Turtles, 30 °C", 9, false},
                    {"Reptiles, 20 °C", 6, false}});
}

void BirdPopupMenu(int16_t menu) {
  taxonItems(menu, {{"All Birds", 10, false},
                    {"Passerine Birds", 11, false},
                    {"Nonpasserine Birds", 11, false},
                    {"Bird Families", 12, false},
                    {"Passerine Birds", 13, false},
                    {"Nonpasserine Birds", 13, false},
                    {"Passerine Birds, alpha phase", 14, false},
                    {"Passerine Birds, rho phase", 14, false},
                    {"All Birds", 15, false},
                    {"All Birds", 16, false},
                    {"Nestling RMR", 17, false}});
}

void MammalPopupMenu(int16_t menu) {
  taxonItems(menu, {{"Eutherian Mammals", 18, false},
                    {"Eutherian Mammals", 19, false},
                    {"Eutherian Mammals", 20, false},
                    {"Eutherian Mammals", 16, false},
                    {"Marsupials", 21, false},
                    {"Dasyurids", 16, true},
                    {"Didelphids", 16, true},
                    {"Diprotodontia", 16, true},
                    {"Monotremes", 21, false},
                    {"Monotremes", 16, false},
                    {"Eutherian Orders", 22, false},
                    {"Bats", 16, true},
                    {"Rodents", 23, true},
                    {"Rodents", 16, true},
                    {"Primates", 16, true},
                    {"Carnivores", 16, true},
                    {"Artiodactyla", 22, true},
                    {"Insectivora", 16, true},
                    {"Xenarthra", 16, true}});
}

}  // namespace qv
