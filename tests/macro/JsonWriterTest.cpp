#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>
#include <string>

#include "core/macro/JsonWriter.h"

namespace {

using drawing::JsonWriter;
using ojson = nlohmann::ordered_json;

// The same values through the writer and through nlohmann's tree and dump(2).
void writeTree(JsonWriter& w, const ojson& j) {
  if (j.is_object()) {
    w.beginObject();
    for (const auto& [key, value] : j.items()) {
      w.key(key.c_str());
      writeTree(w, value);
    }
    w.endObject();
  } else if (j.is_array()) {
    w.beginArray();
    for (const ojson& e : j) writeTree(w, e);
    w.endArray();
  } else if (j.is_string()) {
    w.text(std::string_view(j.get_ref<const std::string&>()));
  } else if (j.is_boolean()) {
    w.flag(j.get<bool>());
  } else if (j.is_number_float()) {
    w.number(j.get<double>());
  } else {
    w.integer(j.get<long long>());
  }
}

std::string written(const ojson& j) {
  std::string out;
  JsonWriter w(out);
  writeTree(w, j);
  return out;
}

TEST(JsonWriter, WritesTheBytesOfATreeDump) {
  std::string controls;
  for (int c = 0; c < 0x20; ++c) controls += static_cast<char>(c);
  const double numbers[] = {0.0,
                            -0.0,
                            1.0,
                            100.0,
                            0.1,
                            1e-5,
                            1.5e-7,
                            1e15,
                            1e16,
                            1e21,
                            -2.5e300,
                            5e-324,
                            1.0 / 3,
                            123456.789,
                            4503599627370497.0,
                            std::numeric_limits<double>::max()};
  ojson list = ojson::array();
  for (double d : numbers) list.push_back(d);
  const ojson tree = {
      {"name", "Kopfplatte \xC3\x84 \xE2\x82\xAC"},
      {"quotes", "a \"b\" \\ c / d"},
      {"controls", controls + "\x7F"},
      {"numbers", list},
      {"integers", {0, -1, 2147483647, -2147483647}},
      {"flags", {true, false}},
      {"emptyArray", ojson::array()},
      {"emptyObject", ojson::object()},
      {"nested", {{{"a", ojson::array()}, {"b", {{"c", {1, {2, 3}}}}}}}},
  };
  EXPECT_EQ(written(tree), tree.dump(2));
  EXPECT_EQ(written(ojson::array()), "[]");
  EXPECT_EQ(written(list), list.dump(2));
}

TEST(JsonWriter, TheFirstNumberThatIsNotFiniteIsPlacedAndOwned) {
  std::string out;
  JsonWriter w(out);
  w.beginObject();
  w.key("macros");
  w.beginArray();
  w.beginObject();
  w.member("name", Nx_String("M\xC4"));
  w.key("modules");
  w.beginArray();
  w.beginObject();
  w.member("name", Nx_String("Plate"));
  w.key("cuts");
  w.beginArray();
  w.beginObject();  // no name of its own
  w.member("offset", std::numeric_limits<double>::infinity());
  w.member("other", std::numeric_limits<double>::quiet_NaN());
  w.endObject();
  w.endArray();
  w.endObject();
  w.endArray();
  w.endObject();
  w.endArray();
  w.endObject();
  drawing::LoadError found;
  ASSERT_TRUE(w.nonFinite(found));
  EXPECT_EQ(found.where, "/macros/0/modules/0/cuts/0/offset");
  EXPECT_EQ(found.what,
            "the value of \"M\xC4\" > \"Plate\" is inf, which a drawing cannot hold (finite "
            "numbers only)");
  EXPECT_NE(out.find("\"offset\": null"), std::string::npos);
  EXPECT_NE(out.find("\"other\": null"), std::string::npos);

  std::string plain;
  JsonWriter finite(plain);
  finite.beginArray();
  finite.number(1.5);
  finite.endArray();
  EXPECT_FALSE(finite.nonFinite(found));
}

}  // namespace
