#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "core/macro/Nx_Drawing.h"

// A drawing file put together from its macros written one at a time, in
// any process: byte for byte the text Nx_Drawing::save writes, with the
// same guarantee that the file loads. The loader has one rule across
// macros (no two macros of one name); everything else it checks is a
// macro's own, so each part is proven by loading it alone and the names
// are compared when the parts are joined.
namespace drawing {

struct DCM_API DrawingPart {
  enum Fault { kNone, kNotFinite, kNotLoading };
  std::string text;  // the macro's element of the file's "macros" list
  std::string name;  // the macro's name as the loader read it back (Windows-1252)
  Fault fault = kNone;
  std::string error;  // with a fault: the whole reason the save is refused
};

// The file's text up to its first macro, and after its last, as the writer
// lays them out.
DCM_API const std::string& fileHead();
inline constexpr std::string_view kFileTail = "\n  ]\n}\n";

// The macro written as the index-th macro of a file to be saved at path,
// and loaded back; a refusal is worded as Nx_Drawing::save words it.
DCM_API DrawingPart writePart(Nx_Drawing& drawing, AcDbObjectId id, int index,
                              const Nx_String& path);

// The file put together as its parts come, in order: each piece of text
// goes to the sink at once. Once a part is faulty or repeats a name the file
// is refused and nothing more goes; finish() ends the text and gives the
// reason as joinParts does.
class DCM_API PartJoiner {
 public:
  using Sink = std::function<void(std::string_view)>;
  PartJoiner(Nx_String path, Sink sink);
  void add(const DrawingPart& part);
  // False once the file is refused: the pieces already given are of no use.
  bool accepted() const { return notFinite_.empty() && notLoading_.empty() && repeated_.empty(); }
  bool finish(Nx_String& error);

 private:
  Nx_String path_;
  Sink sink_;
  std::unordered_set<std::string> names_;
  std::string notFinite_, notLoading_, repeated_;  // the first reason of each kind
  size_t count_ = 0;
};

// The whole file from every macro's part, in order; false with the reason
// (as Nx_Drawing::save gives it) when a part is faulty or two macros share
// a name.
DCM_API bool joinParts(const std::vector<DrawingPart>& parts, const Nx_String& path,
                       std::string& text, Nx_String& error);

}  // namespace drawing
