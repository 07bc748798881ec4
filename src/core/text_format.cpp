#include "core/text_format.h"

#include <cmath>

#include "core/filetable.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/macroman.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

std::string TempContainer;

std::string StringFormatter(float x) {
  const double a = std::fabs(double(x));
  if (std::isnan(x) || a >= 10000.0) return rt::PSstr(std::nearbyint(double(x)));  // rounding mode: to even
  if (a < 1.0) return rt::PSstr(x);
  if (a < 10.0) return rt::PSusing("###.###", x);
  if (a < 100.0) return rt::PSusing("####.###", x);
  if (a < 1000.0) return rt::PSusing("#####.##", x);
  return rt::PSusing("######.#", x);
}

void DoSubscript(int x, int y, std::string_view base, std::string_view lowered, std::string_view rest, int drop) {
  const int wb = rt::stringWidth(base);
  rt::moveTo(x, y);
  rt::drawString(base);
  rt::moveTo(x + wb, y + drop);
  rt::drawString(lowered);
  rt::moveTo(x + wb + rt::stringWidth(lowered), y);
  rt::drawString(rest);
}

namespace {

void shifted(std::string_view text, int size, int dy) {
  rt::Point p = rt::penPosition();
  rt::textSize(size - 2);
  rt::moveTo(p.x + 1, p.y + dy);
  rt::drawString(text);
  rt::Point end = rt::penPosition();
  rt::textSize(size);
  rt::moveTo(end.x, p.y);
}

}  // namespace

void MakeSubscript(std::string_view text, int size, int drop) { shifted(text, size, drop); }
void MakeSuperscript(std::string_view text, int size) { shifted(text, size, -3); }

std::string explanatoryTextPath(int number) {
  static const struct {
    int n;
    const char* stem;
  } kTexts[] = {
      {1, "data blocks"},
      {2, "VH2O"},
      {3, "VCO2 compensation"},
      {4, "VO2 compensation"},
      {6, "periodicity test"},
      {145, "VH2O equation"},
      {146, "O2mm1"},
      {147, "O2m3"},
      {148, "O2m2"},
      {149, "O2m4"},
      {156, "O2 m3 or mm5"},
      {157, "O2 mm4"},
      {158, "O2 from VCO2"},
      {159, "O2 from VCO2 FMdownstream"},
      {160, "O2 from VCO2 FM DS no scrub"},
      {161, "O2 from VCO2 FM UpS no scrub"},
      {162, "O2m4 and mm2&4"},
      {163, "VO2 from %CO2"},
      {164, "VCO2 constant RQ"},
      {165, "VCO2 from RQ downstream"},
      {166, "VCO2 from RQ downstream B"},
      {167, "VCO2 from RQ downstream scrub"},
      {168, "VCO2 from VO2 not scrubbed"},
      {169, "VCO2 from VO2 downstream"},
      {170, "VCO2 from VO2 dnstream scrub B"},
      {171, "VCO2 from %O2 dnstream"},
      {172, "VCO2 from %O2 dnstream no scrub"},
      {173, "VCO2 from %O2"},
      {174, "toolbar key"},
      {175, "toolbar key (no block)"},
  };
  for (auto& t : kTexts)
    if (t.n == number) return rt::resourcePath("RTFfiles", std::string(t.stem) + ".html");
  return {};
}

int TxtViewLoadText(int view, int number) {
  std::string path = explanatoryTextPath(number);
  if (path.empty()) return -43;
  auto bytes = rt::readWholeFile(path);
  if (!bytes) return -43;
  rt::textViewSetHtml(view, std::string(bytes->begin(), bytes->end()));
  return 0;
}

void TxtViewSetMargins(int, int, int, int, int) {
  // The view keeps its own margins; nothing in the program depends on their exact size.
}

namespace {

// The program keeps line ends as carriage returns; text views use line feeds.
std::string forView(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c == '\r') c = '\n';
  return out;
}

}  // namespace

void TextViewSetTextFromMyContainer(int view) {
  const int f = TheFileInUse;
  rt::textViewSetPlain(view, f >= 0 && f < kSlots ? forView(CommentContainer[f]) : std::string());
}

void TextViewSetTextFromMyNotes(int view) { rt::textViewSetPlain(view, forView(TempContainer)); }

void TextViewGetTextCopyIntoMyContainer(int view) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots || !rt::controlExists(view)) return;
  CommentContainer[f] = FixContainerTextForSave(rt::textViewPlain(view));
}

std::string FixContainerTextForSave(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    char32_t cp = rt::decodeUtf8At(text, i);
    if (cp == '"') {
      out += "\u2022";
    } else if (cp == '\r') {
      out.push_back('\r');
      if (i < text.size() && text[i] == '\n') ++i;  // CR LF is one line end
    } else if (cp == '\n' || cp == 0x2029 || cp == 0x2028) {
      out.push_back('\r');
    } else if (cp < 32 && cp != '\t') {
      // other control characters are dropped
    } else {
      rt::appendUtf8(out, cp);
    }
  }
  return out;
}

std::string ownFormatText(std::string_view utf8) { return rt::utf8ToMacRoman(FixContainerTextForSave(utf8)); }

}  // namespace qv
