#pragma once
// Where the all-values display puts its fields: one column of rows down the plot area, more
// columns beside it when the channels do not fit, all of them inside the window.
namespace qv {

constexpr int kValueRowHeight = 12, kValueFieldWidth = 100, kValueColumnStep = 104;
constexpr int kDataBarBottom = 20;  // the plot window's data bar is rows 0 to 19

struct ValueColumns {
  int left = 0, top = 0, rows = 1;  // field i sits in column i / rows, row i % rows
};
ValueColumns valueColumns(int count, int left, int top, int windowWidth, int bottomOfPlot);

}  // namespace qv
