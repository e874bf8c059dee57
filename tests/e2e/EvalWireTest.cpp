// The frames a batch worker sends its parent: what goes in comes out, and a
// damaged frame is refused, never read past its end.
#include <gtest/gtest.h>

#include <cstring>

#include "apps/ss-host/commands/EvalWire.h"

namespace eval {

namespace {

WireMacro sample() {
  WireMacro m;
  m.index = 4711;
  m.name = "EP-101 \xC4";
  m.evaluated = true;
  m.run.macro = "EP-101 \xC3\x84";
  SheetRun s;
  s.sheet = "EndPlate.kvs";
  s.object = "Module.Plate";
  s.ran = true;
  s.ok = false;
  s.error = "no data file";
  s.diagnostics.push_back({"unbound", "EndPlate.kvs", 12, "Width", "", std::string("a\0b", 3)});
  s.warnings = {"one", ""};
  s.changed = 7;
  s.variables.push_back({"Width", "Output", "Double", "200", true, "210", true});
  s.variables.push_back({"Gone", "Input", "String", "", false, "x", false});
  TraceRow child{"BoltGroup.kvs", 3, "NrRows = 3", "C3 = 3", "3", true, {}, {{"NrRows", "3"}}, {}};
  s.trace.push_back(
      {"EndPlate.kvs", 17, "CallChild(...)", "", "", true, {{"A", "1"}}, {}, {child}});
  m.run.sheets = {s, SheetRun()};
  m.hasPart = true;
  m.part.text = "\n    {\n      \"name\": \"EP-101 \xC3\x84\"\n    }";
  m.part.name = "EP-101 \xC4";
  m.part.fault = drawing::DrawingPart::kNotLoading;
  m.part.error = "not saved";
  return m;
}

bool decode(const std::vector<std::uint8_t>& bytes, WireMacro& out) {
  return fromWire(bytes.data(), bytes.size(), out);
}

TEST(EvalWire, AMacroComesBackAsItWasSent) {
  const WireMacro in = sample();
  WireMacro out;
  ASSERT_TRUE(decode(toWire(in), out));
  EXPECT_EQ(out.index, in.index);
  EXPECT_TRUE(out.loaded);
  EXPECT_EQ(out.name, in.name);
  EXPECT_TRUE(out.evaluated);
  EXPECT_EQ(out.run.macro, in.run.macro);
  ASSERT_EQ(out.run.sheets.size(), 2u);
  const SheetRun& s = out.run.sheets[0];
  EXPECT_EQ(s.error, "no data file");
  EXPECT_FALSE(s.ok);
  ASSERT_EQ(s.diagnostics.size(), 1u);
  EXPECT_EQ(s.diagnostics[0].row, 12);
  EXPECT_EQ(s.diagnostics[0].message, std::string("a\0b", 3));
  EXPECT_EQ(s.warnings, in.run.sheets[0].warnings);
  EXPECT_EQ(s.changed, 7);
  ASSERT_EQ(s.variables.size(), 2u);
  EXPECT_EQ(s.variables[0].after, "210");
  EXPECT_TRUE(s.variables[0].changed);
  EXPECT_FALSE(s.variables[1].beforeKnown);
  ASSERT_EQ(s.trace.size(), 1u);
  EXPECT_EQ(s.trace[0].read, in.run.sheets[0].trace[0].read);
  ASSERT_EQ(s.trace[0].children.size(), 1u);
  EXPECT_EQ(s.trace[0].children[0].written[0].second, "3");
  EXPECT_FALSE(out.run.sheets[1].ran);
  ASSERT_TRUE(out.hasPart);
  EXPECT_EQ(out.part.text, in.part.text);
  EXPECT_EQ(out.part.name, in.part.name);
  EXPECT_EQ(out.part.fault, drawing::DrawingPart::kNotLoading);
  EXPECT_EQ(out.part.error, "not saved");
}

TEST(EvalWire, FramesFollowOneAnotherEachAfterItsLength) {
  std::string box = "kept";
  appendFrame(sample(), box);
  appendFrame(WireMacro(), box);
  const std::vector<std::uint8_t> first = toWire(sample()), second = toWire(WireMacro());
  ASSERT_EQ(box.size(), 4 + 4 + first.size() + 4 + second.size());
  std::uint32_t size = 0;
  std::memcpy(&size, box.data() + 4, sizeof size);
  EXPECT_EQ(size, first.size());
  EXPECT_EQ(std::memcmp(box.data() + 8, first.data(), first.size()), 0);
  std::memcpy(&size, box.data() + 8 + first.size(), sizeof size);
  EXPECT_EQ(size, second.size());
}

TEST(EvalWire, DamagedFramesAreRefused) {
  const std::vector<std::uint8_t> bytes = toWire(sample());
  WireMacro out;
  // Every frame cut short.
  for (size_t n = 0; n < bytes.size(); ++n)
    EXPECT_FALSE(fromWire(bytes.data(), n, out)) << "cut at " << n;
  // Bytes after the frame.
  std::vector<std::uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(decode(longer, out));
  // A flag that is neither 0 nor 1 (the evaluated flag follows the index).
  std::vector<std::uint8_t> flag = bytes;
  flag[8] = 7;
  EXPECT_FALSE(decode(flag, out));
  // A text length far past the end.
  std::vector<std::uint8_t> length = bytes;
  const std::uint32_t huge = 0xFFFFFFF0u;
  std::memcpy(length.data() + 9, &huge, sizeof huge);
  EXPECT_FALSE(decode(length, out));
  // A fault of the file's part that is none of the known ones (it comes
  // before the error text, the frame's last field).
  std::vector<std::uint8_t> fault = bytes;
  const size_t at = fault.size() - std::strlen("not saved") - 4 - 8;
  const std::int64_t unknown = 3;
  std::memcpy(fault.data() + at, &unknown, sizeof unknown);
  EXPECT_FALSE(decode(fault, out));
  const std::int64_t known = drawing::DrawingPart::kNotFinite;
  std::memcpy(fault.data() + at, &known, sizeof known);
  EXPECT_TRUE(decode(fault, out));
}

TEST(EvalWire, ChildRunsNestedPastAnyRealDepthAreRefused) {
  WireMacro m;
  m.run.sheets.resize(1);
  TraceRow row;
  for (int depth = 0; depth < 300; ++depth) {
    TraceRow outer;
    outer.children.push_back(std::move(row));
    row = std::move(outer);
  }
  m.run.sheets[0].trace.push_back(std::move(row));
  WireMacro out;
  EXPECT_FALSE(decode(toWire(m), out));
}

}  // namespace

}  // namespace eval
