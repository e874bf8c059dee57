#include "core/macro/Nx_BoltPattern.h"

Nx_BoltPattern::Nx_BoltPattern(const Nx_String& name, int layoutType, bool reverse1, bool reverse2)
    : name_(name), layout_(layoutType), reverse_{reverse1, reverse2} {}

const Nx_String& Nx_BoltPattern::name() const {
  assertReadEnabled();
  return name_;
}

void Nx_BoltPattern::setName(const Nx_String& name) {
  assertWriteEnabled();
  name_ = name;
}

const Nx_PatternLayout* Nx_BoltPattern::layout() const {
  assertReadEnabled();
  return &layout_;
}

void Nx_BoltPattern::setLayoutType(int layoutType) {
  assertWriteEnabled();
  layout_ = Nx_PatternLayout(layoutType);
}

bool Nx_BoltPattern::hasDirection(int direction) const {
  return direction == 1 || (direction == 2 && layout_.isTwoDirectional());
}

Acad::ErrorStatus Nx_BoltPattern::reverseStart(int direction, bool& reversed) const {
  assertReadEnabled();
  if (!hasDirection(direction)) return Acad::eInvalidInput;
  reversed = reverse_[direction - 1];
  return Acad::eOk;
}

Acad::ErrorStatus Nx_BoltPattern::setReverseStart(int direction, bool reversed) {
  if (!hasDirection(direction)) return Acad::eInvalidInput;
  assertWriteEnabled();
  reverse_[direction - 1] = reversed;
  return Acad::eOk;
}

Acad::ErrorStatus getPattern(AcDbObjectId id, Nx_BoltPattern*& pattern, AcTransaction* tr,
                             AcDb::OpenMode mode) {
  pattern = nullptr;
  if (!tr) return Acad::eInvalidInput;
  return tr->getObject(pattern, id, mode);
}
