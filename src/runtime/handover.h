#pragma once
// Documents handed over to a running program: a second start with file arguments gives them
// to the first, which serves a local socket named after the user, and ends.
#include <string>
#include <vector>

namespace qv::rt {

enum class HandOver {
  Sent,     // a running program took the documents: this start ends
  Serving,  // this program now takes documents handed over by later starts
  Alone,    // another program serves; this one runs on without taking documents
};

// With documents, gives them, as absolute paths, to the program that serves `name`. Without
// documents, or when no program answers, serves `name` itself unless another program does (a
// socket left by a program that ended badly is taken over).
HandOver startHandOver(const std::string& name, const std::vector<std::string>& docs);
// Stops serving.
void stopHandOver();

// The path as the running program must read it: relative paths are taken from this start's
// working folder.
std::string absoluteDocumentPath(const std::string& path);

}  // namespace qv::rt
