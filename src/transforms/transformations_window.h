#pragma once
// The "Transformations and Conversions" window (Edit > Standard Transformations..., script
// op 11): its state for one call and the pieces of its loop.
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

constexpr int16_t kTransformStep = 11;
// Base line of the captions in the parameter area.
constexpr int kParameterCaptionBase = 96;

struct TransformWindow {
  int f = 0;
  int16_t step = 0;      // the replayed step, 0 from the menu
  int16_t openStep = 0;  // the op-11 step the next run writes into (0 none yet)
  bool transformMode = true;
  int16_t code = 17;
  int16_t item = 17;          // the item shown in the popup of the mode
  int16_t customNumber = 0;
  int16_t multiply = 0, divide = 0;
  int16_t passThrough = 0;
  int16_t channelY = 0;
  int runs = 0;
  int16_t status = 0;         // 1: a computed result waits in channel 0
  bool ready = true;          // Return runs "Transform All"
  bool exit = false;
  bool keptAny = false;       // a result (or a copied channel) went into the file
  bool pendingNewChannel = false;  // the last run made a channel that holds no result yet
  std::optional<float> pendingMass;  // items 29/30: stored with a kept result
  std::string text1 = "min", text2 = "sec";
  int16_t channelAtOpen = 0;
  int16_t markAtOpen = 0;
};

// Building and redrawing the window.
void buildTransformWindow(TransformWindow& w);
void showTransformItem(TransformWindow& w, int item);
void showConversionItem(TransformWindow& w, int item);
void enterTransformMode(TransformWindow& w);
void enterConvertMode(TransformWindow& w);
void clearParameterArea();
void redrawChannelList(TransformWindow& w);
void setRunButtons(TransformWindow& w);
void dimTwoChannelItems();

// What the buttons do.
void runTransformFromWindow(TransformWindow& w, bool block);
void keepResult(TransformWindow& w, bool done);
void cancelWindow(TransformWindow& w);
void viewResult(TransformWindow& w);
void pickChannelX(TransformWindow& w, int16_t c);
void pickChannelY(TransformWindow& w, int16_t c);
void customItem(TransformWindow& w, int id);
void copyChannelButton(TransformWindow& w);
void blockValueButton(TransformWindow& w);
void finishTransformWindow(TransformWindow& w);
void dropPendingNewChannel(TransformWindow& w);
// The comment-log line of a run (when edits are logged).
void logRun(const TransformWindow& w, int16_t code, const std::string& exponent);

}  // namespace qv
