// Every writer of the product, run under every failure point of its file
// operations: the file on disk is then the old or the new one and the
// failure was reported.
#include <gtest/gtest.h>

#include "apps/ss-host/MappingFileLines.h"
#include "apps/ss-host/commands/EvalBatchFile.h"
#include "core/CspListFiles.h"
#include "core/FileHelpers.h"
#include "core/Nx_PropertiesList.h"
#include "core/Nx_Settings.h"
#include "core/RowFile.h"
#include "core/macro/DrawingParts.h"
#include "core/macro/Nx_Drawing.h"
#include "mapping/KvSSMapping.h"
#include "platform/base/NamedValueStore.h"
#include "platform/grid/file/SheetFile.h"
#include "sections/Nx_ProfValuesTable.h"
#include "tests/core/TempDir.h"
#include "tests/macro/MacroTestDrawing.h"
#include "tests/reliability/FailureWalk.h"

namespace {
Nx_Array<Nx_StringArray> twoRows() {
  Nx_Array<Nx_StringArray> rows;
  rows.append(Nx_StringArray{"IPE200", "6000", "2"});
  rows.append(Nx_StringArray{"HEA100", "12000", "1"});
  return rows;
}
}  // namespace

class WriteFailure : public ::testing::Test {
 protected:
  // Each writer gets a folder of its own, so that anything it leaves is seen.
  std::filesystem::path folder(const std::string& name) {
    std::filesystem::path dir = std::filesystem::path(temp_.path()) / name;
    std::filesystem::create_directories(dir);
    return dir;
  }
  TempDir temp_;
};

TEST_F(WriteFailure, TheAtomicWriteItself) {
  auto file = folder("plain") / "a.txt";
  FailureWalk walk(file, "old text\n",
                   [&] { return base::writeFileAtomically(file.string(), "new text\n"); });
  // Create, write, sync, close, rename, open and sync the folder.
  EXPECT_EQ(walked("atomic write", walk.run()), 7);
}

TEST_F(WriteFailure, TheAtomicWriteInPieces) {
  auto file = folder("pieces") / "a.txt";
  FailureWalk walk(file, "old text\n", [&] {
    base::AtomicFileWriter writer(file.string());
    return writer.open() && writer.append("new ") && writer.append("") && writer.append("text\n") &&
           writer.commit();
  });
  // Create, three writes, sync, close, rename, open and sync the folder.
  EXPECT_EQ(walked("atomic write in pieces", walk.run()), 9);

  // Given up half way, or failing half way on a full disk: the old file,
  // nothing beside it, and the reason kept.
  {
    base::AtomicFileWriter writer(file.string());
    ASSERT_TRUE(writer.open() && writer.append("half"));
  }
  base::setAtomicWriteFailureAfter(6);
  base::AtomicFileWriter writer(file.string());
  EXPECT_TRUE(writer.open() && writer.append("1234"));
  EXPECT_FALSE(writer.append("5678"));
  EXPECT_FALSE(writer.commit());
  base::setAtomicWriteFailureAfter(-1);
  EXPECT_NE(writer.error().find("Cannot write"), std::string::npos) << writer.error();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(WriteFailure, DrawingSave) {
  Nx_Drawing drawing;
  ASSERT_TRUE(loadExampleDrawing(drawing));
  auto file = folder("drawing") / "sample.json";
  Nx_String error;
  FailureWalk walk(file, "{}\n", [&] {
    error = "";
    bool ok = drawing.save(file.string().c_str(), error);
    EXPECT_EQ(ok, error.isEmpty()) << error.str();
    return ok;
  });
  EXPECT_GT(walked("drawing save", walk.run()), 0);
}

TEST_F(WriteFailure, BatchSaveWrittenAsThePartsCome) {
  // `eval --all` writes the file while its workers run, a megabyte at a
  // time: enough copies of the example's macros for three pieces.
  Nx_Drawing example, many;
  ASSERT_TRUE(loadExampleDrawing(example));
  AcArray<AcDbObjectId> ids;
  example.getMacroIds(ids);
  std::vector<drawing::DrawingPart> parts;
  const Nx_String path((folder("batch") / "sample.json").string());
  size_t bytes = 0;
  for (int copy = 0; bytes < (size_t{5} << 19); ++copy)  // 2.5 MB
    for (int i = 0; i < ids.length(); ++i) {
      const AcDbObjectId id = many.addCopyOf(example, ids[i]);
      {
        AcTransaction tr(many.database());
        Nx_DbMacro* macro = nullptr;
        ASSERT_EQ(tr.getObject(macro, id, AcDb::kForWrite), Acad::eOk);
        macro->getMacroWrite()->setName(macro->name() + Nx_String("-" + std::to_string(copy)));
      }
      parts.push_back(drawing::writePart(many, id, static_cast<int>(parts.size()), path));
      bytes += parts.back().text.size();
    }
  FailureWalk walk(path.str(), example.toJson(), [&] {
    eval::BatchFile file(path.str(), eval::Options());
    for (const drawing::DrawingPart& p : parts) file.add(p, nullptr);
    Nx_String why;
    const bool saved = file.save(why);
    EXPECT_TRUE(saved || !why.isEmpty()) << "a failed batch save gave no reason";
    return saved;
  });
  // Create, three writes, sync, close, rename, open and sync the folder.
  EXPECT_EQ(walked("batch save", walk.run()), 9);
  std::string joined;
  Nx_String why;
  ASSERT_TRUE(drawing::joinParts(parts, path, joined, why));
  EXPECT_EQ(joined, many.toJson());
}

TEST_F(WriteFailure, MappingFile) {
  auto dir = folder("library") / "Connection Standards";
  std::filesystem::create_directories(dir);
  Nx_String savedLib = gSettings.libDir;
  gSettings.setLibDir(dir.parent_path().string().c_str());
  KvSSMapping mapping;
  KvObjectMap entry;
  entry.ssVarName = "Thickness";
  entry.objectName = "Plates";
  entry.kind = kObjDistance;
  entry.varName = "Thickness";
  mapping.mappedObjectsWrite().append(entry);
  FailureWalk walk(dir / "Sheet.map", "Mapping version 1.0\nK1=\n", [&] {
    Nx_String key = "K1";
    return mapping.setMappingToFile("Sheet", key) == Acad::eOk;
  });
  EXPECT_GT(walked("mapping file", walk.run()), 0);
  gSettings.libDir = savedLib;
}

TEST_F(WriteFailure, SheetFile) {
  grid::SheetContent content;
  std::string error;
  ASSERT_TRUE(grid::readSheetText("Length,Count\n6000,=A2/1000\n", "s.csv", content, error));
  auto file = folder("sheet") / "s.kvs";
  FailureWalk walk(file, "old", [&] {
    error.clear();
    bool ok = grid::saveSheetFile(file.string(), content, false, error);
    EXPECT_EQ(ok, error.empty());
    return ok;
  });
  EXPECT_GT(walked("sheet file", walk.run()), 0);
}

TEST_F(WriteFailure, CoreFilesTextRowsListsAndProperties) {
  auto text = folder("text") / "t.txt";
  EXPECT_GT(walked("text file",
                   FailureWalk(text, "old",
                               [&] { return writeTextFile(text.string().c_str(), "new content"); })
                       .run()),
            0);

  auto rows = folder("rows") / "r.dat";
  EXPECT_GT(
      walked("row file",
             FailureWalk(rows, "old", [&] { return writeFile(rows.string().c_str(), twoRows()); })
                 .run()),
      0);

  auto list = folder("list") / "Stock1.shp";
  EXPECT_GT(walked("cutting-stock list",
                   FailureWalk(list, "old",
                               [&] { return writeCspListFile(list.string().c_str(), twoRows()); })
                       .run()),
            0);

  auto props = folder("props") / "p.txt";
  Nx_PropertiesList properties;
  properties.setString("Name", "Base plate");
  properties.setInt("Count", 4);
  EXPECT_GT(walked("property list",
                   FailureWalk(props, "old",
                               [&] { return properties.writeToFile(props.string().c_str()); })
                       .run()),
            0);
}

TEST_F(WriteFailure, SettingsStore) {
  auto file = folder("registry") / "registry.ini";
  auto& store = base::NamedValueStore::instance();
  const std::string previous = store.file();
  store.setFile(file.string());
  FailureWalk walk(file, "", [&] {
    store.setFile(file.string());  // read back what is on disk, as a new session would
    return store.set("Software\\Test", "Value", "new");
  });
  EXPECT_GT(walked("settings store", walk.run()), 0);
  store.setFile(previous);
}

TEST_F(WriteFailure, SectionTable) {
  auto prof = folder("library") / "prof";
  std::filesystem::create_directories(prof);
  std::filesystem::copy_file(std::string(SS_SOURCE_DIR) + "/examples/library/prof/HEA.pr",
                             prof / "HEA.pr");
  std::string old;
  ASSERT_TRUE(base::readWholeFile((prof / "HEA.pr").string(), old));
  Nx_String savedLib = gSettings.libDir;
  gSettings.setLibDir(prof.parent_path().string().c_str());
  Nx_ProfValuesTable table;
  ASSERT_TRUE(table.readFromFile("HEA"));
  ASSERT_TRUE(table.deleteRow(0));
  FailureWalk walk(prof / "HEA.pr", old, [&] {
    Nx_String error;
    bool ok = table.writeToFile("HEA", &error);
    EXPECT_EQ(ok, error.isEmpty()) << error.str();
    return ok;
  });
  EXPECT_GT(walked("section table", walk.run()), 0);
  gSettings.libDir = savedLib;
}

TEST_F(WriteFailure, HostMappingLine) {
  auto file = folder("host-mapping") / "Sheet.map";
  FailureWalk walk(file, "Mapping version 1.0\r\nK1=old\r\nK2=kept\r\n", [&] {
    MappingFileLines lines;
    std::string error;
    EXPECT_TRUE(lines.read(file.string(), error)) << error;
    const bool ok = lines.setLine(file.string(), "K1", "K1=new", error);
    EXPECT_EQ(ok, error.empty()) << error;
    return ok;
  });
  EXPECT_GT(walked("host mapping line", walk.run()), 0);

  // A mapping file reached through a link is written where the link points.
  auto shared = folder("shared") / "Sheet.map";
  auto linked = folder("linked") / "Sheet.map";
  std::ofstream(shared) << "Mapping version 1.0\nK1=old\n";
  std::filesystem::create_symlink(shared, linked);
  MappingFileLines lines;
  std::string error;
  ASSERT_TRUE(lines.read(linked.string(), error)) << error;
  ASSERT_TRUE(lines.setLine(linked.string(), "K1", "K1=new", error)) << error;
  EXPECT_TRUE(std::filesystem::is_symlink(linked));
  std::string now;
  ASSERT_TRUE(base::readWholeFile(shared.string(), now));
  EXPECT_EQ(now, "Mapping version 1.0\nK1=new\n");
}
