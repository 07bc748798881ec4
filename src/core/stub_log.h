#pragma once
// What an entry point that this build does not have does when it is reached. One that a
// command of the user reaches says so in a notice; one on the program's own road (drawing,
// the block window, the tool bar) keeps quiet, so that a load or a redraw never stops on it.
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>

namespace qv {

// `call` names the entry point with its arguments ("GASEXCHANGE(0)"); `command` is the name
// the notice shows, or "" for an entry point that stays silent.
void notBuilt(const std::string& call, std::string_view command);

// Tests record the calls instead of seeing notices; nullptr restores the notices.
using NotBuiltRecorder = std::function<void(const std::string& call)>;
void setNotBuiltRecorder(NotBuiltRecorder recorder);

namespace detail {
inline void putArg(std::ostringstream& o, std::string_view s) { o << '"' << s << '"'; }
inline void putArg(std::ostringstream& o, const char* s) { o << '"' << s << '"'; }
inline void putArg(std::ostringstream& o, const std::string& s) { o << '"' << s << '"'; }
inline void putArg(std::ostringstream& o, float v) { o << v; }
inline void putArg(std::ostringstream& o, double v) { o << v; }
template <class T>
void putArg(std::ostringstream& o, T v) {
  o << int64_t(v);
}
}  // namespace detail

// "NAME(a, b, ...)", strings in double quotes.
template <class... A>
std::string callText(std::string_view name, const A&... args) {
  std::ostringstream o;
  o << name << '(';
  bool first = true;
  ((o << (first ? "" : ", "), detail::putArg(o, args), first = false), ...);
  o << ')';
  return o.str();
}

}  // namespace qv
