#pragma once
#include <memory>

#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "platform/arx/dbmain.h"

// Layout type codes of a bolt pattern.
enum Nx_PatternLayoutType : int {
  kLineLayout = 281,  // bolts in one direction
  kGridLayout = 282,  // bolts in two directions
};

// How the bolts of a pattern are laid out.
class DCM_API Nx_PatternLayout {
 public:
  explicit Nx_PatternLayout(int type = kLineLayout) : type_(type) {}
  virtual ~Nx_PatternLayout() = default;
  Nx_PatternLayout(const Nx_PatternLayout&) = default;
  Nx_PatternLayout& operator=(const Nx_PatternLayout&) = default;

  virtual int type() const { return type_; }
  bool isTwoDirectional() const { return type() == kGridLayout; }

 private:
  int type_;
};

// A bolt pattern: its own database object, referred to by the bolt module
// that owns it. Each direction may count its bolts from the other end.
class DCM_API Nx_BoltPattern : public AcDbObject {
 public:
  Nx_BoltPattern() = default;
  Nx_BoltPattern(const Nx_String& name, int layoutType, bool reverse1 = false,
                 bool reverse2 = false);

  const Nx_String& name() const;
  void setName(const Nx_String& name);
  const Nx_PatternLayout* layout() const;
  void setLayoutType(int layoutType);
  // direction 1 or 2; the second exists only for a two-directional layout.
  bool hasDirection(int direction) const;
  Acad::ErrorStatus reverseStart(int direction, bool& reversed) const;
  Acad::ErrorStatus setReverseStart(int direction, bool reversed);

 private:
  Nx_String name_;
  Nx_PatternLayout layout_;
  bool reverse_[2] = {false, false};
};

// Opens a pattern in the transaction; eInvalidInput when the id names
// something else.
DCM_API Acad::ErrorStatus getPattern(AcDbObjectId id, Nx_BoltPattern*& pattern, AcTransaction* tr,
                                     AcDb::OpenMode mode = AcDb::kForRead);
