#include <gtest/gtest.h>

#include <string>

#include "core/filetable.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core_files.h"
#include "plot/plot_state.h"
#include "runtime/menus.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

std::string separatorsOf(int menu) {
  std::string s;
  for (int i = 1; i <= rt::menuItemCount(menu); ++i)
    if (rt::menuItemIsSeparator(menu, i)) s += std::to_string(i) + " ";
  return s;
}

}  // namespace

TEST(Popups, UnitAndTransformListsKeepTheirItemNumbers) {
  qvtest::resetRuntime();
  GasUnitsPopup(40);
  EXPECT_EQ(rt::menuItemCount(40), 20);
  EXPECT_EQ(rt::menuItemText(40, 12), "µwatts");
  EXPECT_EQ(rt::menuItemText(40, 20), "MJ ⁄ [kg day]");

  TransformsPopupMenu(41);
  EXPECT_EQ(rt::menuItemCount(41), 26);
  EXPECT_EQ(separatorsOf(41), "19 21 ");
  EXPECT_EQ(rt::menuItemText(41, 5), "a + b*[Channel X ^ exp]");
  EXPECT_EQ(rt::menuItemText(41, 14), "e ^Channel X ");
  EXPECT_EQ(rt::menuItemText(41, 15), "10 ^Channel X ");
  EXPECT_EQ(rt::menuItemText(41, 16), "a ÷ [Channel X ^ exp]");
  EXPECT_EQ(rt::menuItemText(41, 26), "Q10 of ch. X:  ch. Y is °C");

  BuildUnitsPopMenu(42);
  EXPECT_EQ(rt::menuItemCount(42), 26);
  for (int i = 1; i <= 26; ++i) EXPECT_EQ(rt::menuItemState(42, i), i == 12 || i == 22 ? 0 : 1) << i;
  EXPECT_FALSE(rt::menuChoiceEnabled(42, 22));

  UnitConvertPopupMenu3(43);
  EXPECT_EQ(rt::menuItemText(43, 19), "sun elevation – > sunlight watts ⁄ m²");
  EXPECT_EQ(rt::menuItemText(43, 20), "altitude – > max. noon sunlight");

  UnitConvertPopupMenu4(44);
  EXPECT_EQ(rt::menuItemCount(44), 23);
  EXPECT_EQ(rt::menuItemText(44, 20), "Torr H₂O – > g H₂O vapor ⁄ meter³");

  Popup61(45);
  EXPECT_EQ(rt::menuItemCount(45), 7);
  EXPECT_EQ(rt::menuItemText(45, 6), " ");
  EXPECT_EQ(rt::menuItemText(45, 7), "100X MMR [insect flight]");

  FFTfrequencyPopup(46);
  EXPECT_EQ(separatorsOf(46), "4 ");
  EXPECT_EQ(rt::menuItemCount(46), 8);
}

TEST(Popups, TaxonMenusEndWithTheWayBack) {
  qvtest::resetRuntime();
  struct Case {
    void (*build)(int16_t);
    int items;
  } cases[] = {{ArthropodsPopupMenu, 11}, {FishPopupMenu, 9},  {AmphibianPopupMenu, 6},
               {ReptilePopupMenu, 8},     {BirdPopupMenu, 13}, {MammalPopupMenu, 21}};
  for (const auto& c : cases) {
    c.build(52);
    EXPECT_EQ(rt::menuItemCount(52), c.items);
    EXPECT_EQ(separatorsOf(52), std::to_string(c.items - 1) + " ");
    EXPECT_EQ(rt::menuItemText(52, c.items), "Main Taxon Menu...");
  }
  MammalPopupMenu(57);
  EXPECT_EQ(rt::menuItemText(57, 1), "Eutherian Mammals  [Brody 1945]");
  EXPECT_EQ(rt::menuItemText(57, 6).substr(0, 3), "   ");
  EXPECT_NE(rt::menuItemText(57, 5).substr(0, 1), " ");
  MainTaxonSelectPopup(51);
  EXPECT_EQ(rt::menuItemCount(51), 13);
  EXPECT_EQ(separatorsOf(51), "2 5 12 ");
  EXPECT_EQ(rt::menuItemText(51, 13), " Custom coefficient and exponent");
}

TEST(Popups, ChannelPopupHasAnItemForEachChannel) {
  qvtest::resetRuntime();
  coretest::makeFile(0, 3, 10);
  TheFileInUse = 0;
  SetChannelLabel(0, 2, "O₂; dry");
  SetChannelLabel(0, 3, "-");
  BuildPopMenu(60);
  EXPECT_EQ(rt::menuItemCount(60), 3);
  EXPECT_EQ(rt::menuItemText(60, 1), "1   chan 1");
  EXPECT_EQ(rt::menuItemText(60, 2), "2   O₂; dry");
  EXPECT_EQ(rt::menuItemText(60, 3), "3   -");
  EXPECT_EQ(separatorsOf(60), "");

  BuildWINDOW(1000, "file 0", 10, 40, 1100, 700, 6);
  ActiveChannel = 2;
  ScreenWidth = 900;
  MakeChannelSelectionsPopUp();
  ASSERT_TRUE(rt::controlExistsIn(1000, kChannelPopup));
  EXPECT_EQ(rt::controlValueIn(1000, kChannelPopup), 2);
  EXPECT_EQ(rt::controlRect(kChannelPopup), (rt::Rect{830, 0, 900, 18}));
  EXPECT_EQ(rt::menuItemCount(kChannelPopup), 3);
  ActiveChannel = 1;
  ScreenWidth = 1000;
}
