#include "platform/ui/wx/WxIcons.h"

#include <wx/artprov.h>

#include <map>
#include <string>

#include "platform/ui/Resources.h"

namespace uiwx {

wxBitmap iconBitmap(int iconId, int size) {
  static const std::map<std::string, wxArtID> art = {
      {"add", wxART_PLUS},
      {"delete", wxART_DELETE},
      {"remove", wxART_MINUS},
      {"copy", wxART_COPY},
      {"open", wxART_FILE_OPEN},
      {"save", wxART_FILE_SAVE_AS},
      {"up", wxART_GO_UP},
      {"down", wxART_GO_DOWN},
      {"left", wxART_GO_BACK},
      {"right", wxART_GO_FORWARD},
      {"picture", wxART_NORMAL_FILE},
      {"width", wxART_GO_FORWARD},
      {"height", wxART_GO_DOWN},
      {"designer", wxART_REPORT_VIEW},
      {"help", wxART_HELP},
      {"warning", wxART_WARNING},
      {"error", wxART_ERROR},
      {"information", wxART_INFORMATION},
      {"question", wxART_QUESTION},
      {"find", wxART_FIND},
      {"new", wxART_NEW},
      {"select", wxART_LIST_VIEW},
      {"home", wxART_GO_HOME},
      {"tick", wxART_TICK_MARK},
      {"execute", wxART_EXECUTABLE_FILE},
      {"redo", wxART_REDO},
      {"edit", wxART_EDIT},
  };
  auto it = art.find(ui::Resources::iconName(iconId));
  wxArtID id = it == art.end() ? wxART_QUESTION : it->second;
  wxBitmap bitmap = wxArtProvider::GetBitmap(id, wxART_BUTTON, wxSize(size, size));
  if (!bitmap.IsOk())
    bitmap = wxArtProvider::GetBitmap(wxART_QUESTION, wxART_BUTTON, wxSize(size, size));
  return bitmap;
}

}  // namespace uiwx
