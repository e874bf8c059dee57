#pragma once
#include <cstdint>
#include <functional>

#include "platform/arx/arx_export.h"

namespace AcDb {
enum OpenMode : int { kForRead = 0, kForWrite = 1, kForNotify = 2 };
}

// Handle of a database object; 0 is the null id. Ids are never reused within
// one database, so a stale id finds nothing instead of another object.
class AcDbObjectId {
 public:
  constexpr AcDbObjectId() = default;
  constexpr explicit AcDbObjectId(std::int64_t handle) : handle_(handle) {}
  static const AcDbObjectId kNull;

  constexpr std::int64_t handle() const { return handle_; }
  constexpr bool isNull() const { return handle_ == 0; }
  constexpr bool operator==(const AcDbObjectId& o) const { return handle_ == o.handle_; }
  constexpr bool operator!=(const AcDbObjectId& o) const { return handle_ != o.handle_; }
  constexpr bool operator<(const AcDbObjectId& o) const { return handle_ < o.handle_; }

 private:
  std::int64_t handle_ = 0;
};
inline constexpr AcDbObjectId AcDbObjectId::kNull{};

template <>
struct std::hash<AcDbObjectId> {
  size_t operator()(const AcDbObjectId& id) const noexcept {
    return std::hash<std::int64_t>()(id.handle());
  }
};
