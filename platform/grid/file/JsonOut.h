#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace grid {

// Compact JSON written straight into a string, with the same text the JSON
// library's dump gives for the same values, so files stay byte for byte
// what they were when they were written through a document tree.
class JsonOut {
 public:
  explicit JsonOut(std::string& out) : out_(out) {}

  // Windows-1252 text, converted to UTF-8 and escaped in one pass.
  void text(std::string_view cp1252);
  // Text that is already UTF-8 (names and keys of the format itself).
  void utf8(std::string_view text);
  // Shortest text that reads back as the same double; null when not finite.
  void number(double v);
  void integer(long long v);
  void integer(std::uint64_t v);
  void integer(std::uint32_t v) { integer(static_cast<std::uint64_t>(v)); }
  void integer(int v) { integer(static_cast<long long>(v)); }
  void boolean(bool v) { out_ += v ? "true" : "false"; }
  void null() { out_ += "null"; }
  void raw(std::string_view s) { out_ += s; }
  void raw(char c) { out_ += c; }

  // Members of an object or items of an array, with the commas between.
  // Opened by the constructor, closed by close() or the destructor.
  class Group {
   public:
    Group(JsonOut& out, char open, char close);
    ~Group() { close(); }
    Group(const Group&) = delete;
    Group& operator=(const Group&) = delete;
    // Starts an array item.
    JsonOut& item();
    // Starts an object member: its key and the colon. Keys are the names
    // of the format's own fields, which need no escapes.
    JsonOut& key(std::string_view name);
    void close();
    bool empty() const { return first_; }

   private:
    JsonOut& out_;
    char close_;
    bool first_ = true;
    bool open_ = true;
  };

 private:
  std::string& out_;
};

}  // namespace grid
