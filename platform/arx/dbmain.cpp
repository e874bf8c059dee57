#include "platform/arx/dbmain.h"

#include <cstdlib>

#include "platform/arx/acutil.h"

namespace {
[[maybe_unused]] void failLoudly() {
#ifndef NDEBUG
  std::abort();
#endif
}
}  // namespace

AcDbObject::~AcDbObject() = default;

void AcDbObject::assertReadEnabled() const {
  if (isReadEnabled()) return;
  acutPrintf("*Error* Object %lld is not open for read.\n", static_cast<long long>(id_.handle()));
  failLoudly();
}

void AcDbObject::assertWriteEnabled() {
  if (isWriteEnabled()) {
    modified_ = true;
    return;
  }
  acutPrintf("*Error* Object %lld is not open for write.\n", static_cast<long long>(id_.handle()));
  failLoudly();
}

AcDbDatabase::~AcDbDatabase() = default;

AcDbObjectId AcDbDatabase::addObject(std::unique_ptr<AcDbObject> object) {
  if (!object) return AcDbObjectId::kNull;
  AcDbObjectId id(nextHandle_++);
  object->id_ = id;
  object->database_ = this;
  objects_.emplace(id, std::move(object));
  return id;
}

Acad::ErrorStatus AcDbDatabase::eraseObject(AcDbObjectId id) {
  auto it = objects_.find(id);
  if (it == objects_.end()) return Acad::eKeyNotFound;
  if (it->second->openCount_ > 0) return Acad::eWasOpenForRead;
  objects_.erase(it);
  return Acad::eOk;
}

AcDbObject* AcDbDatabase::peek(AcDbObjectId id) const {
  auto it = objects_.find(id);
  return it == objects_.end() ? nullptr : it->second.get();
}

std::vector<AcDbObjectId> AcDbDatabase::objectIds() const {
  std::vector<AcDbObjectId> ids;
  ids.reserve(objects_.size());
  for (const auto& [id, obj] : objects_) ids.push_back(id);
  return ids;
}

AcTransaction::AcTransaction(AcDbDatabase& db) : db_(db) { ++db_.openTransactions_; }

AcTransaction::~AcTransaction() {
  for (AcDbObject* o : opened_) {
    if (--o->openCount_ == 0) o->mode_ = AcDb::kForRead;
  }
  --db_.openTransactions_;
}

Acad::ErrorStatus AcTransaction::getObject(AcDbObject*& object, AcDbObjectId id,
                                           AcDb::OpenMode mode) {
  object = nullptr;
  if (id.isNull()) return Acad::eNullObjectId;
  AcDbObject* o = db_.peek(id);
  if (!o) return Acad::eKeyNotFound;
  // Opening again within the same transaction upgrades the mode, never downgrades it.
  bool already = false;
  for (AcDbObject* p : opened_) already |= (p == o);
  if (!already) {
    opened_.push_back(o);
    ++o->openCount_;
  }
  if (mode == AcDb::kForWrite) o->mode_ = AcDb::kForWrite;
  object = o;
  return Acad::eOk;
}
