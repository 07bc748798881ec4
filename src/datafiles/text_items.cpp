#include "datafiles/text_items.h"

#include <cmath>

#include "runtime/numtext.h"

namespace qv {

namespace {

bool blankOrTab(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void TextItemReader::openNextLine() {
  const char* base = data_.data() + pos_;
  const size_t left = data_.size() - pos_;
  size_t e = 0;
  while (e < left && base[e] != '\r' && base[e] != '\n') ++e;
  line_ = std::string_view(base, e);
  cur_ = 0;
  lineOpen_ = true;
  pos_ += e;
  if (pos_ < data_.size()) {
    const bool crlf = data_[pos_] == '\r' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '\n';
    pos_ += crlf ? 2 : 1;
  }
}

std::string_view TextItemReader::next() {
  if (!lineOpen_) {
    if (pos_ >= data_.size()) return {};
    openNextLine();
  }
  const size_t len = line_.size();
  while (cur_ < len && blankOrTab(line_[cur_])) ++cur_;

  std::string_view item;
  if (cur_ < len && line_[cur_] == '"') {
    const size_t start = cur_ + 1;
    const size_t q = line_.find('"', start);
    item = line_.substr(start, q == std::string_view::npos ? std::string_view::npos : q - start);
    cur_ = q == std::string_view::npos ? len : q + 1;
  } else {
    size_t e = cur_;
    while (e < len && line_[e] != ',' && line_[e] != '\t') ++e;
    item = line_.substr(cur_, e - cur_);
    cur_ = e;
  }

  while (cur_ < len && blankOrTab(line_[cur_])) ++cur_;
  if (cur_ < len && line_[cur_] == ',') ++cur_;
  size_t k = cur_;
  while (k < len && blankOrTab(line_[k])) ++k;
  if (k >= len) lineOpen_ = false;

  if (item.size() > kMaxTextItem) item = item.substr(0, kMaxTextItem);
  return item;
}

double TextItemReader::real() { return rt::PSval(next()); }

double TextItemReader::integer() { return std::trunc(real()); }

}  // namespace qv
