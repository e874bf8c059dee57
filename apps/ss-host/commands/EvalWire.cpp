#include "apps/ss-host/commands/EvalWire.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace eval {

namespace {

// Both ends are this program's image, so numbers go in host order; a text
// is its length and its bytes. Every read is bounds-checked, so a damaged
// frame is refused rather than read past its end.
class Out {
 public:
  explicit Out(std::string& bytes) : bytes_(bytes) {}
  void count(size_t n) { number(static_cast<std::uint32_t>(n)); }
  void number(std::int64_t v) { raw(&v, sizeof v); }
  void number(std::uint32_t v) { raw(&v, sizeof v); }
  void flag(bool v) { bytes_ += static_cast<char>(v ? 1 : 0); }
  void text(std::string_view s) {
    count(s.size());
    bytes_.append(s);
  }

 private:
  // A frame is thousands of small fields: a string's append is the
  // cheapest way to put them down.
  void raw(const void* p, size_t n) { bytes_.append(static_cast<const char*>(p), n); }
  std::string& bytes_;
};

class In {
 public:
  In(const std::uint8_t* data, size_t size) : at_(data), end_(data + size) {}
  bool sound() const { return sound_; }
  bool atEnd() const { return at_ == end_; }
  void refuse() { sound_ = false; }
  // A count of items each taking at least one byte: never more than remain.
  size_t count() {
    std::uint32_t n = 0;
    raw(&n, sizeof n);
    if (n > static_cast<size_t>(end_ - at_)) sound_ = false;
    return sound_ ? n : 0;
  }
  std::int64_t number() {
    std::int64_t v = 0;
    raw(&v, sizeof v);
    return v;
  }
  bool flag() {
    std::uint8_t b = 0;
    raw(&b, 1);
    if (b > 1) sound_ = false;
    return b == 1;
  }
  std::string text() {
    size_t n = count();
    std::string s(reinterpret_cast<const char*>(at_), n);
    at_ += n;
    return s;
  }

 private:
  void raw(void* p, size_t n) {
    if (!sound_ || static_cast<size_t>(end_ - at_) < n) {
      sound_ = false;
      std::memset(p, 0, n);
      return;
    }
    std::memcpy(p, at_, n);
    at_ += n;
  }
  const std::uint8_t* at_;
  const std::uint8_t* end_;
  bool sound_ = true;
};

void put(Out& o, const std::vector<std::pair<std::string, std::string>>& pairs) {
  o.count(pairs.size());
  for (const auto& [name, value] : pairs) {
    o.text(name);
    o.text(value);
  }
}

void put(Out& o, const std::vector<TraceRow>& rows) {
  o.count(rows.size());
  for (const TraceRow& r : rows) {
    o.text(r.sheet);
    o.number(static_cast<std::int64_t>(r.row));
    o.text(r.text);
    o.text(r.equation);
    o.text(r.value);
    o.flag(r.ok);
    put(o, r.read);
    put(o, r.written);
    put(o, r.children);
  }
}

void put(Out& o, const SheetRun& s) {
  o.text(s.sheet);
  o.text(s.object);
  o.flag(s.ran);
  o.flag(s.ok);
  o.text(s.error);
  o.count(s.diagnostics.size());
  for (const Diagnostic& d : s.diagnostics) {
    o.text(d.kind);
    o.text(d.sheet);
    o.number(static_cast<std::int64_t>(d.row));
    o.text(d.variable);
    o.text(d.text);
    o.text(d.message);
  }
  o.count(s.warnings.size());
  for (const std::string& w : s.warnings) o.text(w);
  o.number(static_cast<std::int64_t>(s.changed));
  o.count(s.variables.size());
  for (const Variable& v : s.variables) {
    o.text(v.name);
    o.text(v.kind);
    o.text(v.type);
    o.text(v.before);
    o.flag(v.beforeKnown);
    o.text(v.after);
    o.flag(v.changed);
  }
  put(o, s.trace);
}

void get(In& in, std::vector<std::pair<std::string, std::string>>& pairs) {
  for (size_t n = in.count(); n > 0 && in.sound(); --n) {
    std::string name = in.text();
    pairs.emplace_back(std::move(name), in.text());
  }
}

// Child runs nest as deep as CallChild does; a damaged frame cannot make
// the reader recurse deeper than this.
constexpr int kMaxTraceDepth = 256;

void get(In& in, std::vector<TraceRow>& rows, int depth) {
  const size_t n = in.count();
  if (n > 0 && depth > kMaxTraceDepth) in.refuse();
  for (size_t i = 0; i < n && in.sound(); ++i) {
    TraceRow r;
    r.sheet = in.text();
    r.row = static_cast<int>(in.number());
    r.text = in.text();
    r.equation = in.text();
    r.value = in.text();
    r.ok = in.flag();
    get(in, r.read);
    get(in, r.written);
    get(in, r.children, depth + 1);
    rows.push_back(std::move(r));
  }
}

void get(In& in, SheetRun& s) {
  s.sheet = in.text();
  s.object = in.text();
  s.ran = in.flag();
  s.ok = in.flag();
  s.error = in.text();
  for (size_t n = in.count(); n > 0 && in.sound(); --n) {
    Diagnostic d;
    d.kind = in.text();
    d.sheet = in.text();
    d.row = static_cast<int>(in.number());
    d.variable = in.text();
    d.text = in.text();
    d.message = in.text();
    s.diagnostics.push_back(std::move(d));
  }
  for (size_t n = in.count(); n > 0 && in.sound(); --n) s.warnings.push_back(in.text());
  const std::int64_t changed = in.number();
  if (changed < 0 || changed > INT32_MAX) in.refuse();
  s.changed = in.sound() ? static_cast<int>(changed) : 0;
  // A count is never more than the bytes left, so the room it asks for is bounded.
  size_t n = in.count();
  s.variables.reserve(n);
  for (; n > 0 && in.sound(); --n) {
    Variable v;
    v.name = in.text();
    v.kind = in.text();
    v.type = in.text();
    v.before = in.text();
    v.beforeKnown = in.flag();
    v.after = in.text();
    v.changed = in.flag();
    s.variables.push_back(std::move(v));
  }
  get(in, s.trace, 0);
}

}  // namespace

void appendFrame(const WireMacro& macro, std::string& bytes) {
  const size_t start = bytes.size();
  std::uint32_t size = 0;
  bytes.append(sizeof size, '\0');  // the length, once known
  bytes.reserve(bytes.size() + 4096 + macro.part.text.size() + macro.part.error.size());
  Out o(bytes);
  o.number(static_cast<std::int64_t>(macro.index));
  o.flag(macro.loaded);
  o.text(macro.name);
  o.flag(macro.evaluated);
  o.text(macro.run.macro);
  o.count(macro.run.sheets.size());
  for (const SheetRun& s : macro.run.sheets) put(o, s);
  o.flag(macro.hasPart);
  if (macro.hasPart) {
    o.text(macro.part.text);
    o.text(macro.part.name);
    o.number(static_cast<std::int64_t>(macro.part.fault));
    o.text(macro.part.error);
  }
  size = static_cast<std::uint32_t>(bytes.size() - start - sizeof size);
  std::memcpy(bytes.data() + start, &size, sizeof size);
}

std::vector<std::uint8_t> toWire(const WireMacro& macro) {
  std::string frame;
  appendFrame(macro, frame);
  const auto* begin = reinterpret_cast<const std::uint8_t*>(frame.data());
  return {begin + sizeof(std::uint32_t), begin + frame.size()};
}

bool fromWire(const std::uint8_t* data, size_t size, WireMacro& macro) {
  In in(data, size);
  macro = WireMacro();
  macro.index = static_cast<int>(in.number());
  macro.loaded = in.flag();
  macro.name = in.text();
  macro.evaluated = in.flag();
  macro.run.macro = in.text();
  for (size_t n = in.count(); n > 0 && in.sound(); --n) {
    SheetRun s;
    get(in, s);
    macro.run.sheets.push_back(std::move(s));
  }
  macro.hasPart = in.flag();
  if (macro.hasPart) {
    macro.part.text = in.text();
    macro.part.name = in.text();
    const std::int64_t fault = in.number();
    if (fault < drawing::DrawingPart::kNone || fault > drawing::DrawingPart::kNotLoading)
      in.refuse();
    else
      macro.part.fault = static_cast<drawing::DrawingPart::Fault>(fault);
    macro.part.error = in.text();
  }
  return in.sound() && in.atEnd();
}

}  // namespace eval
