#include "core/macro/DrawingParts.h"

#include <unordered_set>

#include "core/macro/DrawingFormat.h"

namespace drawing {

const std::string& fileHead() {
  static const std::string text = [] {
    std::string out;
    JsonWriter w(out);
    w.beginObject();
    w.member("format", kFormatName);
    w.member("version", kFormatVersion);
    w.key("macros");
    w.beginArray();
    return out;
  }();
  return text;
}

namespace {

// A file without macros closes its list at once.
constexpr std::string_view kEmptyTail = "]\n}\n";

// A part is written and loaded as the only macro of a file; its places are
// named as the whole file's would be.
std::string renumbered(const std::string& message, const std::string& prefix, int index) {
  const std::string alone = prefix + "/macros/0";
  if (message.compare(0, alone.size(), alone) != 0) return message;
  return prefix + "/macros/" + std::to_string(index) + message.substr(alone.size());
}

constexpr std::string_view kRefused = "Not saved, the file would not load again: ";

}  // namespace

DrawingPart writePart(Nx_Drawing& drawing, AcDbObjectId id, int index, const Nx_String& path) {
  DrawingPart part;
  std::string file;
  JsonWriter w(file);
  AcArray<AcDbObjectId> one;
  one.append(id);
  writeDrawing(drawing.database(), one, w);
  file += '\n';
  LoadError bad;
  if (w.nonFinite(bad)) {
    part.fault = DrawingPart::kNotFinite;
    part.error = path.str() + ": not saved: " + renumbered(bad.where, "", index) + ": " + bad.what;
    return part;
  }
  Nx_Drawing check;
  Nx_String why;
  if (!check.loadText(file, path, why)) {
    part.fault = DrawingPart::kNotLoading;
    part.error = std::string(kRefused) + renumbered(why.str(), path.str() + ": ", index);
    return part;
  }
  AcArray<AcDbObjectId> ids;
  check.getMacroIds(ids);
  AcTransaction tr(check.database());
  Nx_DbMacro* macro = nullptr;
  const bool framed = file.size() >= fileHead().size() + kFileTail.size() &&
                      file.compare(0, fileHead().size(), fileHead()) == 0 &&
                      file.ends_with(kFileTail);
  if (!framed || ids.length() != 1 || tr.getObject(macro, ids[0], AcDb::kForRead) != Acad::eOk) {
    part.fault = DrawingPart::kNotLoading;
    part.error = path.str() + ": not saved: the file would not load as the drawing is";
    return part;
  }
  part.name = macro->name().str();
  part.text = file.substr(fileHead().size(), file.size() - fileHead().size() - kFileTail.size());
  return part;
}

PartJoiner::PartJoiner(Nx_String path, Sink sink)
    : path_(std::move(path)), sink_(std::move(sink)) {}

void PartJoiner::add(const DrawingPart& part) {
  const size_t index = count_++;
  // The whole file's checks come in this order: numbers while writing, then the reload.
  if (part.fault == DrawingPart::kNotFinite && notFinite_.empty()) notFinite_ = part.error;
  if (part.fault == DrawingPart::kNotLoading && notLoading_.empty()) notLoading_ = part.error;
  if (part.fault == DrawingPart::kNone &&
      !names_.insert(Nx_String(part.name).lower().str()).second && repeated_.empty())
    repeated_ = std::string(kRefused) + path_.str() + ": /macros/" + std::to_string(index) +
                "/name: " + usedTwice("macro", part.name);
  if (!accepted()) return;
  sink_(index == 0 ? std::string_view(fileHead()) : std::string_view(","));
  sink_(part.text);
}

bool PartJoiner::finish(Nx_String& error) {
  for (const std::string* why : {&notFinite_, &notLoading_, &repeated_})
    if (!why->empty()) {
      error = Nx_String(*why);
      return false;
    }
  if (count_ == 0) sink_(fileHead());
  sink_(count_ == 0 ? kEmptyTail : kFileTail);
  return true;
}

bool joinParts(const std::vector<DrawingPart>& parts, const Nx_String& path, std::string& text,
               Nx_String& error) {
  size_t size = fileHead().size() + kFileTail.size();
  for (const DrawingPart& p : parts) size += p.text.size() + 1;
  text.clear();
  text.reserve(size);
  PartJoiner joiner(path, [&](std::string_view piece) { text += piece; });
  for (const DrawingPart& p : parts) joiner.add(p);
  return joiner.finish(error);
}

}  // namespace drawing
