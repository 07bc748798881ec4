#pragma once
// Scripted input: records drawn only by loops waiting for the user's next action.
#include <functional>
#include <string>
#include <string_view>

#include "runtime/script_records.h"

namespace qv::rt::script {

// True while scripted input is on (an event file, or a test that pushed records).
bool active();
void setActive(bool on);

// Adds records; a malformed line returns false (the caller reports it).
bool pushLine(std::string_view line);
void push(const ScriptRecord& r);
// Loads an event file; on a malformed line returns its number (else 0).
int loadFile(const std::string& path, std::string& error);

size_t pendingCount();
void clear();

// Called when scripted input cannot go on: a waiting loop found no record left, a panel
// found another record, a disabled item or missing control was named. The default ends
// the program with status 3 after a message on standard error.
void fail(const std::string& message);

// A panel takes its answer: the next record must be of this kind.
ScriptRecord takeAnswer(RecordKind kind);

}  // namespace qv::rt::script

namespace qv::rt::script {
// The next record, or null (the runtime's pumps).
const ScriptRecord* peek();
ScriptRecord pop();
std::string describeRecord(const ScriptRecord& r);
}  // namespace qv::rt::script
