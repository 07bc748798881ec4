#include "runtime/script_records.h"

#include <charconv>
#include <vector>

namespace qv::rt {
namespace {

std::vector<std::string_view> words(std::string_view s, size_t maxWords, std::string_view& rest) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (out.size() < maxWords) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    if (i >= s.size()) break;
    size_t j = i;
    while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
    out.push_back(s.substr(i, j - i));
    i = j;
  }
  if (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  rest = i < s.size() ? s.substr(i) : std::string_view{};
  return out;
}

bool toInt(std::string_view w, int& v) {
  auto r = std::from_chars(w.data(), w.data() + w.size(), v);
  return r.ec == std::errc() && r.ptr == w.data() + w.size();
}

std::string_view trimBoth(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

const char* recordKindName(RecordKind k) {
  switch (k) {
    case RecordKind::Menu: return "menu";
    case RecordKind::Click: return "click";
    case RecordKind::Dialog: return "dialog";
    case RecordKind::Key: return "key";
    case RecordKind::Type: return "type";
    case RecordKind::Popup: return "popup";
    case RecordKind::MouseDown: return "mouse down";
    case RecordKind::MouseDrag: return "mouse drag";
    case RecordKind::MouseUp: return "mouse up";
    case RecordKind::Open: return "open";
    case RecordKind::Save: return "save";
    case RecordKind::Page: return "page";
    case RecordKind::Print: return "print";
    case RecordKind::Alert: return "alert";
    case RecordKind::Color: return "color";
    case RecordKind::Shot: return "shot";
    case RecordKind::Quit: return "quit";
  }
  return "?";
}

std::optional<ScriptRecord> parseScriptLine(std::string_view line, bool& ok) {
  ok = true;
  std::string_view t = trimBoth(line);
  if (t.empty() || t.front() == '#') return std::nullopt;
  ok = false;
  ScriptRecord r;
  r.source = std::string(t);
  std::string_view rest;
  auto w = words(t, 1, rest);
  std::string_view verb = w[0];
  auto nums = [&](size_t n, int* out) -> bool {
    std::string_view tail;
    auto ws = words(rest, n + 1, tail);
    if (ws.size() != n || !tail.empty()) return false;
    for (size_t i = 0; i < n; ++i)
      if (!toInt(ws[i], out[i])) return false;
    return true;
  };
  int v[3] = {0, 0, 0};
  if (verb == "menu") {
    if (!nums(2, v)) return std::nullopt;
    r.kind = RecordKind::Menu;
  } else if (verb == "click") {
    if (!nums(1, v)) return std::nullopt;
    r.kind = RecordKind::Click;
  } else if (verb == "dialog") {
    if (!nums(2, v)) return std::nullopt;
    r.kind = RecordKind::Dialog;
  } else if (verb == "key") {
    if (!nums(1, v) || v[0] < 0 || v[0] > 255) return std::nullopt;
    r.kind = RecordKind::Key;
  } else if (verb == "popup") {
    if (!nums(2, v) || v[1] < 1) return std::nullopt;
    r.kind = RecordKind::Popup;
  } else if (verb == "type") {
    std::string_view text;
    auto ws = words(rest, 1, text);
    if (ws.size() != 1 || !toInt(ws[0], v[0])) return std::nullopt;
    r.kind = RecordKind::Type;
    // The rest of the line, as typed (only the line end is not part of it).
    while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    r.text = std::string(text);
  } else if (verb == "mouse") {
    std::string_view tail;
    auto ws = words(rest, 5, tail);
    if (ws.size() < 3 || ws.size() > 4 || !tail.empty()) return std::nullopt;
    if (ws[0] == "down") r.kind = RecordKind::MouseDown;
    else if (ws[0] == "drag") r.kind = RecordKind::MouseDrag;
    else if (ws[0] == "up") r.kind = RecordKind::MouseUp;
    else return std::nullopt;
    if (!toInt(ws[1], v[0]) || !toInt(ws[2], v[1])) return std::nullopt;
    if (ws.size() == 4) {
      if (!toInt(ws[3], v[2])) return std::nullopt;
      r.hasWindow = true;
    }
  } else if (verb == "open" || verb == "save" || verb == "print") {
    std::string_view p = trimBoth(rest);
    if (p.empty()) return std::nullopt;
    r.kind = verb == "open" ? RecordKind::Open : verb == "save" ? RecordKind::Save : RecordKind::Print;
    if (p == "cancel") r.cancel = true;
    else r.text = std::string(p);
  } else if (verb == "page") {
    std::string_view p = trimBoth(rest);
    if (p != "ok" && p != "cancel") return std::nullopt;
    r.kind = RecordKind::Page;
    r.cancel = p == "cancel";
  } else if (verb == "alert") {
    if (!nums(1, v) || v[0] < 1) return std::nullopt;
    r.kind = RecordKind::Alert;
  } else if (verb == "color") {
    // Components of 16 bits each, as the program's colours hold them.
    if (trimBoth(rest) == "cancel") {
      r.cancel = true;
    } else if (!nums(3, v) || v[0] < 0 || v[0] > 65535 || v[1] < 0 || v[1] > 65535 || v[2] < 0 || v[2] > 65535) {
      return std::nullopt;
    }
    r.kind = RecordKind::Color;
  } else if (verb == "shot") {
    std::string_view path;
    auto ws = words(rest, 1, path);
    path = trimBoth(path);
    if (ws.size() != 1 || !toInt(ws[0], v[0]) || path.empty()) return std::nullopt;
    r.kind = RecordKind::Shot;
    r.text = std::string(path);
  } else if (verb == "quit") {
    if (!trimBoth(rest).empty()) return std::nullopt;
    r.kind = RecordKind::Quit;
  } else {
    return std::nullopt;
  }
  r.a = v[0];
  r.b = v[1];
  r.c = v[2];
  ok = true;
  return r;
}

}  // namespace qv::rt
