#include "runtime/scripted.h"

#include <deque>
#include <fstream>

#include "runtime/app.h"

namespace qv::rt::script {
namespace {

std::deque<ScriptRecord> gRecords;
bool gActive = false;
int gLine = 0;

}  // namespace

bool active() { return gActive; }
void setActive(bool on) { gActive = on; }

bool pushLine(std::string_view line) {
  bool ok = true;
  auto r = parseScriptLine(line, ok);
  if (!ok) return false;
  if (r) {
    r->line = ++gLine;
    gRecords.push_back(*r);
  }
  gActive = true;
  return true;
}

void push(const ScriptRecord& r) {
  gRecords.push_back(r);
  gActive = true;
}

int loadFile(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return -1;
  }
  std::string line;
  int n = 0;
  std::deque<ScriptRecord> loaded;
  while (std::getline(in, line)) {
    ++n;
    bool ok = true;
    auto r = parseScriptLine(line, ok);
    if (!ok) {
      error = line;
      return n;
    }
    if (r) {
      r->line = n;
      loaded.push_back(*r);
    }
  }
  for (auto& r : loaded) gRecords.push_back(std::move(r));
  return 0;
}

size_t pendingCount() { return gRecords.size(); }

void clear() {
  gRecords.clear();
  gLine = 0;
}

const ScriptRecord* peek() { return gRecords.empty() ? nullptr : &gRecords.front(); }

ScriptRecord pop() {
  ScriptRecord r = std::move(gRecords.front());
  gRecords.pop_front();
  return r;
}

void fail(const std::string& message) {
  reportFatal(message);
  exitProgram(3);
}

static std::string describe(const ScriptRecord& r) {
  return "\"" + r.source + "\"" + (r.line ? " (line " + std::to_string(r.line) + ")" : "");
}

ScriptRecord takeAnswer(RecordKind kind) {
  if (gRecords.empty())
    fail(std::string("scripted input ran out: expected an \"") + recordKindName(kind) + "\" record");
  if (gRecords.front().kind != kind)
    fail(std::string("expected an \"") + recordKindName(kind) + "\" record, found " + describe(gRecords.front()));
  return pop();
}

std::string describeRecord(const ScriptRecord& r) { return describe(r); }

}  // namespace qv::rt::script
