#include "apps/ss-host/ElfSymbols.h"

#include <cxxabi.h>
#include <elf.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

namespace {
std::string demangle(const std::string& name) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> text(
      abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status), &std::free);
  return status == 0 && text ? std::string(text.get()) : name;
}

// A view of the file with bounds-checked reads.
class Image {
 public:
  explicit Image(std::string bytes) : bytes_(std::move(bytes)) {}
  template <typename T>
  bool read(size_t offset, T& out) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, bytes_.data() + offset, sizeof(T));
    return true;
  }
  // The zero-terminated text at offset within [begin, begin + size).
  bool text(size_t begin, size_t size, size_t offset, std::string& out) const {
    if (begin > bytes_.size() || size > bytes_.size() - begin || offset >= size) return false;
    const char* start = bytes_.data() + begin + offset;
    const void* nul = std::memchr(start, '\0', size - offset);
    if (!nul) return false;
    out.assign(start, static_cast<const char*>(nul));
    return true;
  }
  size_t size() const { return bytes_.size(); }

 private:
  std::string bytes_;
};

bool fail(std::string& error, const std::string& path, const char* why) {
  error = path + ": " + why;
  return false;
}
}  // namespace

bool readExportedSymbols(const std::string& path, std::vector<ElfSymbol>& symbols,
                         std::string& error) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return fail(error, path, "cannot be opened");
  std::string bytes(static_cast<size_t>(std::max<std::streamoff>(0, in.tellg())), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    return fail(error, path, "cannot be read");
  Image image(std::move(bytes));

  Elf64_Ehdr header{};
  if (!image.read(0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
    return fail(error, path, "is not an ELF file");
  if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
    return fail(error, path, "is not a 64-bit little-endian ELF file");
  if (header.e_shentsize != sizeof(Elf64_Shdr)) return fail(error, path, "has no section table");

  auto section = [&](size_t index, Elf64_Shdr& out) {
    return index < header.e_shnum && image.read(header.e_shoff + index * sizeof(Elf64_Shdr), out);
  };
  Elf64_Shdr dynsym{}, dynstr{};
  bool found = false;
  for (size_t i = 0; i < header.e_shnum && !found; ++i)
    found = section(i, dynsym) && dynsym.sh_type == SHT_DYNSYM;
  if (!found) return fail(error, path, "has no dynamic symbol table");
  if (!section(dynsym.sh_link, dynstr) || dynstr.sh_type != SHT_STRTAB)
    return fail(error, path, "has a broken dynamic symbol table");

  std::vector<ElfSymbol> result;
  const size_t count = dynsym.sh_size / sizeof(Elf64_Sym);
  for (size_t i = 1; i < count; ++i) {
    Elf64_Sym s{};
    if (!image.read(dynsym.sh_offset + i * sizeof(Elf64_Sym), s))
      return fail(error, path, "has a truncated dynamic symbol table");
    const unsigned binding = ELF64_ST_BIND(s.st_info);
    const unsigned visibility = ELF64_ST_VISIBILITY(s.st_other);
    if (s.st_shndx == SHN_UNDEF) continue;
    if (binding != STB_GLOBAL && binding != STB_WEAK && binding != STB_GNU_UNIQUE) continue;
    if (visibility != STV_DEFAULT && visibility != STV_PROTECTED) continue;
    ElfSymbol symbol;
    if (!image.text(dynstr.sh_offset, dynstr.sh_size, s.st_name, symbol.name))
      return fail(error, path, "has a broken symbol name");
    const unsigned type = ELF64_ST_TYPE(s.st_info);
    symbol.kind = type == STT_FUNC || type == STT_GNU_IFUNC ? ElfSymbol::Kind::Function
                  : type == STT_OBJECT || type == STT_TLS   ? ElfSymbol::Kind::Object
                                                            : ElfSymbol::Kind::Other;
    symbol.weak = binding == STB_WEAK;
    symbol.demangled = demangle(symbol.name);
    result.push_back(std::move(symbol));
  }
  std::sort(result.begin(), result.end(),
            [](const ElfSymbol& a, const ElfSymbol& b) { return a.demangled < b.demangled; });
  symbols = std::move(result);
  return true;
}
