#pragma once
// Repairs made by hand on a channel: one sample replaced by the mean of its neighbours, or a
// span replaced by the straight line between its ends, optionally keeping the local
// variation around that line. Each repair returns what it replaced, to be put back once.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qv::repair {

struct Repair {
  int32_t first = 0;       // the first case replaced
  std::vector<float> old;  // the values it and the cases after it had
};

// Case i (2..N - 1, neither it nor a neighbour a gap) becomes the mean of its neighbours.
std::optional<Repair> repairSpike(std::span<float> x, int32_t i);

struct Span {
  int32_t a = 0, b = 0;
  bool operator==(const Span&) const = default;
};
// The span between two picked cases, kept within 1..N and in order; none when both ends
// fall on one case.
std::optional<Span> spanOf(int64_t first, int64_t second, int32_t nCases);

// Cases a..b become the line from x[a] to x[b]; none when an end is a gap (gaps inside stay).
std::optional<Repair> linearize(std::span<float> x, Span s);

// The variation-conserving fill of `passes` passes (1..5): in each pass, in ascending order,
// a case takes (line - three-point mean + itself), averaged with the value the case before it
// took that way; the neighbours beyond the span are the nearest cases inside the file. None
// when a case of the span or a neighbour is a gap.
std::optional<Repair> conserveFill(std::span<float> x, Span s, int passes);

// Puts a repair's values back.
void undo(std::span<float> x, const Repair& r);

}  // namespace qv::repair
