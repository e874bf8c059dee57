#pragma once
#include <map>
#include <memory>
#include <vector>

#include "platform/arx/acadstrc.h"
#include "platform/arx/arx_export.h"
#include "platform/arx/dbid.h"

class AcTransaction;
class AcDbDatabase;

// Base of every object that lives in a database. An object is read and
// changed only while a transaction holds it open in the matching mode.
class ARX_API AcDbObject {
 public:
  AcDbObject() = default;
  AcDbObject(const AcDbObject&) = delete;
  AcDbObject& operator=(const AcDbObject&) = delete;
  virtual ~AcDbObject();

  AcDbObjectId objectId() const { return id_; }
  AcDbDatabase* database() const { return database_; }
  bool isReadEnabled() const { return openCount_ > 0; }
  bool isWriteEnabled() const { return openCount_ > 0 && mode_ == AcDb::kForWrite; }
  bool isModified() const { return modified_; }
  void clearModified() { modified_ = false; }

  // Report use of an object that is not open (for write); abort in debug builds.
  void assertReadEnabled() const;
  void assertWriteEnabled();

 private:
  friend class AcTransaction;
  friend class AcDbDatabase;
  AcDbObjectId id_;
  AcDbDatabase* database_ = nullptr;
  AcDb::OpenMode mode_ = AcDb::kForRead;
  int openCount_ = 0;
  bool modified_ = false;
};

// Owns objects under ids.
class ARX_API AcDbDatabase {
 public:
  AcDbDatabase() = default;
  AcDbDatabase(const AcDbDatabase&) = delete;
  AcDbDatabase& operator=(const AcDbDatabase&) = delete;
  ~AcDbDatabase();

  AcDbObjectId addObject(std::unique_ptr<AcDbObject> object);
  Acad::ErrorStatus eraseObject(AcDbObjectId id);
  // The object without opening it; for the owner's bookkeeping only.
  AcDbObject* peek(AcDbObjectId id) const;
  std::vector<AcDbObjectId> objectIds() const;
  int objectCount() const { return static_cast<int>(objects_.size()); }
  bool hasOpenTransaction() const { return openTransactions_ > 0; }

 private:
  friend class AcTransaction;
  std::map<AcDbObjectId, std::unique_ptr<AcDbObject>> objects_;
  std::int64_t nextHandle_ = 1;
  int openTransactions_ = 0;
};

// Opens objects of one database; closes every one of them when it ends.
class ARX_API AcTransaction {
 public:
  explicit AcTransaction(AcDbDatabase& db);
  AcTransaction(const AcTransaction&) = delete;
  AcTransaction& operator=(const AcTransaction&) = delete;
  ~AcTransaction();

  Acad::ErrorStatus getObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode);
  template <typename T>
  Acad::ErrorStatus getObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode) {
    AcDbObject* base = nullptr;
    object = nullptr;
    Acad::ErrorStatus es = getObject(base, id, mode);
    if (es != Acad::eOk) return es;
    object = dynamic_cast<T*>(base);
    return object ? Acad::eOk : Acad::eInvalidInput;
  }
  AcDbDatabase& database() const { return db_; }
  int numOpenedObjects() const { return static_cast<int>(opened_.size()); }

 private:
  AcDbDatabase& db_;
  std::vector<AcDbObject*> opened_;
};
