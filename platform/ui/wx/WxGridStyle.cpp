#include "platform/ui/wx/WxGridStyle.h"

#include <wx/image.h>
#include <wx/settings.h>

#include <map>
#include <tuple>

#include "platform/ui/SpreadControl.h"
#include "platform/ui/wx/WxIcons.h"
#include "platform/ui/wx/WxText.h"

namespace uiwx {

wxColour sheetColour(std::uint32_t value, const wxColour& fallback) {
  if (value == grid::kDefaultColor) return fallback;
  if (value & 0x80000000u) {
    // The system colour indexes are those of the desktop API wx follows.
    unsigned index = value & 0xFF;
    if (index >= wxSYS_COLOUR_MAX) return fallback;
    return wxSystemSettings::GetColour(static_cast<wxSystemColour>(index));
  }
  return wxColour(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

const wxFont& sheetFont(const grid::Font& font) {
  static std::map<std::tuple<std::string, int, bool, bool, bool>, wxFont> fonts;
  auto key = std::make_tuple(font.face, font.height, font.bold, font.italic, font.underline);
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  wxFont f(wxSize(0, font.height > 0 ? font.height : 13), wxFONTFAMILY_SWISS,
           font.italic ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL,
           font.bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL, font.underline, toWx(font.face));
  if (!f.IsOk()) f = *wxNORMAL_FONT;
  return fonts.emplace(key, f).first->second;
}

wxBitmap handleBitmap(std::uint64_t handle) {
  // Handles are never reused, so a picture once made stays right.
  static std::map<std::uint64_t, wxBitmap> made;
  if (auto it = made.find(handle); it != made.end()) return it->second;
  auto picture = ui::SpreadPictures::find(handle);
  if (!picture) return wxNullBitmap;
  wxBitmap bitmap;
  if (picture->iconId) {
    bitmap = iconBitmap(picture->iconId, 32);
  } else if (picture->width > 0 && picture->height > 0 &&
             picture->pixels.size() == static_cast<std::size_t>(picture->width) * picture->height) {
    wxImage image(picture->width, picture->height);
    image.InitAlpha();
    for (int y = 0; y < picture->height; ++y)
      for (int x = 0; x < picture->width; ++x) {
        std::uint32_t p = picture->pixels[static_cast<std::size_t>(y) * picture->width + x];
        image.SetRGB(x, y, (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        image.SetAlpha(x, y, (p >> 24) & 0xFF);
      }
    bitmap = wxBitmap(image);
  }
  made[handle] = bitmap;
  return bitmap;
}

wxBitmap fileBitmap(const std::string& path) {
  static std::map<std::string, wxBitmap> loaded;
  if (auto it = loaded.find(path); it != loaded.end()) return it->second;
  wxImage image;
  wxBitmap bitmap;
  if (wxFileExists(toWx(path)) && image.LoadFile(toWx(path))) bitmap = wxBitmap(image);
  loaded[path] = bitmap;
  return bitmap;
}

}  // namespace uiwx
