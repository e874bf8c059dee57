// The host program's own pieces: its option parser, the symbol reader and
// the names it derives from symbols, and the library-folder scan.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "apps/ss-host/ElfSymbols.h"
#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/LibraryContents.h"
#include "apps/ss-host/ModuleExports.h"

namespace fs = std::filesystem;

namespace {
GlobalOptions parse(std::vector<const char*> words) {
  words.insert(words.begin(), "ss-host");
  return parseGlobalOptions(static_cast<int>(words.size()), words.data());
}

TEST(GlobalOptionsTest, OptionsBeforeTheCommandWord) {
  GlobalOptions o =
      parse({"--library", "lib", "--config=a.cfg", "--messages", "calc", "x.kvs", "--json"});
  EXPECT_EQ(o.error, "");
  EXPECT_EQ(o.libraryDir, "lib");
  EXPECT_EQ(o.configFile, "a.cfg");
  EXPECT_TRUE(o.messages);
  EXPECT_EQ(o.command, "calc");
  // Words after the command are the command's, options included.
  EXPECT_EQ(o.args, (std::vector<std::string>{"x.kvs", "--json"}));
}

TEST(GlobalOptionsTest, HelpVersionAndGuiNeedNoCommand) {
  EXPECT_TRUE(parse({"--help"}).help);
  EXPECT_TRUE(parse({"-h"}).help);
  EXPECT_TRUE(parse({"--version"}).version);
  GlobalOptions gui = parse({"--library=x", "--gui"});
  EXPECT_EQ(gui.error, "");
  EXPECT_TRUE(gui.gui);
}

TEST(GlobalOptionsTest, BadCommandLinesSayWhy) {
  struct Case {
    std::vector<const char*> words;
    const char* error;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"--bogus", "info"}, "unknown option '--bogus'"},
      {{"-x"}, "unknown option '-x'"},
      {{"--library"}, "option '--library' needs a value"},
      {{"--library="}, "option '--library' needs a value"},
      {{"--config", ""}, "option '--config' needs a value"},
      {{"--librarything", "info"}, "unknown option '--librarything'"},
      {{"--gui", "info"}, "--gui takes no command"},
  };
  for (const Case& c : cases) EXPECT_EQ(parse(c.words).error, c.error);
}

TEST(ModuleExportsTest, NamesFromDemangledSymbols) {
  EXPECT_EQ(functionName("StartDlgGrid(KvGridDlgData&)"), "StartDlgGrid");
  EXPECT_EQ(functionName("A::B::f(int) const"), "A::B::f");
  EXPECT_EQ(functionName("A::operator()(int)"), "A::operator()");
  EXPECT_EQ(functionName("StartDlgMacroProfAdv(AcArray<AcDbObjectId>*, bool&, bool (*)(int))"),
            "StartDlgMacroProfAdv");
  EXPECT_EQ(classOfName("A::B::f"), "A::B");
  EXPECT_EQ(classOfName("Nx_Array<std::pair<int, int> >::append"),
            "Nx_Array<std::pair<int, int> >");
  EXPECT_EQ(classOfName("gLoadFile"), "");
}

TEST(ModuleExportsTest, SymbolsSortedByRole) {
  auto sym = [](const char* name, ElfSymbol::Kind kind, bool weak = false) {
    return ElfSymbol{name, name, kind, weak};
  };
  const std::vector<ElfSymbol> symbols = {
      sym("acrxEntryPoint", ElfSymbol::Kind::Function),
      sym("Foo::~Foo()", ElfSymbol::Kind::Function),
      sym("vtable for Bar", ElfSymbol::Kind::Object),
      sym("non-virtual thunk to Baz::~Baz()", ElfSymbol::Kind::Function),
      sym("gLoadFile", ElfSymbol::Kind::Object),
      sym("std::vector<int>::_M_realloc_insert()", ElfSymbol::Kind::Function, true),
      sym("vtable for Nx_Timer", ElfSymbol::Kind::Object, true),
      sym("_end", ElfSymbol::Kind::Other),
      sym("__asan_option", ElfSymbol::Kind::Object),
  };
  ModuleExports e = classifyExports(symbols);
  EXPECT_EQ(e.entryPoints, std::vector<std::string>{"acrxEntryPoint"});
  EXPECT_EQ(e.dataObjects, std::vector<std::string>{"gLoadFile"});
  EXPECT_EQ(e.dataClasses, (std::vector<std::string>{"Bar", "Baz", "Foo"}));
  EXPECT_EQ(e.copies, std::vector<std::string>{"vtable for Nx_Timer"});
  EXPECT_TRUE(e.others.empty());
}

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("host-boundary-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root);
  }
  void TearDown() override { fs::remove_all(root); }
  void touch(const std::string& relative, const std::string& content = "x") {
    fs::path p = root / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p) << content;
  }
  fs::path root;
};

TEST_F(TempFolder, SymbolReaderRefusesWhatIsNoElfFile) {
  std::vector<ElfSymbol> symbols{ElfSymbol{}};
  std::string error;
  EXPECT_FALSE(readExportedSymbols((root / "missing.so").string(), symbols, error));
  EXPECT_NE(error.find("missing.so"), std::string::npos);
  touch("text.so", "hello");
  EXPECT_FALSE(readExportedSymbols((root / "text.so").string(), symbols, error));
  EXPECT_NE(error.find("not an ELF file"), std::string::npos);
  touch("short.so", std::string("\x7f"
                                "ELF\x02\x01",
                                6));
  EXPECT_FALSE(readExportedSymbols((root / "short.so").string(), symbols, error));
  EXPECT_EQ(symbols.size(), 1u);  // untouched on failure
}

TEST_F(TempFolder, LibraryScanFindsEachKindOfFile) {
  touch("Connection Standards/EndPlate.kvs");
  touch("Connection Standards/EndPlate.map");
  touch("Connection Standards/Childs/BoltGroup.KVS");
  touch("Connection Standards/Data/sizes.txt");
  touch("prof/HEA.pr");
  touch("prof/old/IPE.pr");  // section tables are not searched in sub-folders
  touch("Dialog Templates/Dialog Design/Beams/Fin.txt");
  touch("Dialog Templates/Dialog Design/Beams/Fin.bmp");
  touch("Cutting Stock/Beams/stock.shp");
  touch("Cutting Stock/Beams/purchase.buy");

  std::vector<LibraryFiles> kinds = scanLibraryFolder(root.string());
  ASSERT_EQ(kinds.size(), 5u);
  EXPECT_EQ(kinds[0].files, (std::vector<std::string>{"Childs/BoltGroup.KVS", "EndPlate.kvs"}));
  EXPECT_EQ(kinds[1].files, std::vector<std::string>{"EndPlate.map"});
  EXPECT_EQ(kinds[2].files, std::vector<std::string>{"HEA.pr"});
  EXPECT_EQ(kinds[3].files, std::vector<std::string>{"Beams/Fin.txt"});
  EXPECT_EQ(kinds[4].files, (std::vector<std::string>{"Beams/purchase.buy", "Beams/stock.shp"}));
  for (const LibraryFiles& k : kinds) EXPECT_TRUE(k.folderExists) << k.title;
}

TEST_F(TempFolder, LibraryScanOfAnEmptyFolder) {
  for (const LibraryFiles& k : scanLibraryFolder(root.string() + "/")) {
    EXPECT_FALSE(k.folderExists) << k.title;
    EXPECT_TRUE(k.files.empty());
  }
}
}  // namespace
