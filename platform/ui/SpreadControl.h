#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/Sheet.h"
#include "platform/ui/Window.h"

namespace ui {

inline constexpr const char* kSpreadClass = "fpSpread70";

// Notification codes that the spreadsheet control sends to its parent with its id.
inline constexpr int SPN_CHECKCLICK = 59;        // a click changed a check-box cell
inline constexpr int SPN_BUTTONCLICK = 60;       // a button cell was pressed
inline constexpr int SPN_CLICK = 0x509;          // a cell was clicked
inline constexpr int SPN_DBLCLICK = 0x50A;       // a cell was double-clicked
inline constexpr int SPN_LEAVECELL = 0x50C;      // the active cell moved
inline constexpr int SPN_BLOCKSELECTED = 0x516;  // a block of cells was selected
inline constexpr int SPN_DATACHANGE = 0x517;     // the user changed a cell's contents
inline constexpr int SPN_HEADERSELECT = 0x518;   // a whole row or column was selected by its header

// Options by number that the control itself gives a meaning to.
inline constexpr int kSpreadOptionChanged = 30;  // set by every change the user makes

// One entry of a popup menu; a separator has no id.
struct MenuEntry {
  int id = 0;
  std::string text;  // Windows-1252
  bool separator = false;
};

// A picture that picture-handle and check-box cells show: pixels
// (0xAARRGGBB, rows from the top) or an icon resource that the backend shows.
struct SpreadPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  int iconId = 0;
};

// The pictures of the sheets by handle, the number a cell type keeps. A
// registration lasts as long as its Handle.
class UI_API SpreadPictures {
 public:
  class UI_API Handle {
   public:
    Handle() = default;
    explicit Handle(SpreadPicture picture);
    ~Handle();
    Handle(Handle&& other) noexcept : id_(other.id_) { other.id_ = 0; }
    Handle& operator=(Handle&& other) noexcept;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    std::uint64_t id() const { return id_; }
    explicit operator bool() const { return id_ != 0; }

   private:
    std::uint64_t id_ = 0;
  };
  // Null for an unknown handle.
  static std::shared_ptr<const SpreadPicture> find(std::uint64_t handle);
};

class SpreadControl;

// What shows a spreadsheet control on screen (the GUI backend's widget):
// besides the window state that its peer mirrors, it repaints cells, follows
// the edit state, shows popup menus and reports its scroll bar.
class UI_API SpreadView {
 public:
  virtual ~SpreadView() = default;
  virtual void cellChanged(int col, int row) = 0;
  // Size, structure, sizes, spans, options or many cells changed.
  virtual void layoutChanged() = 0;
  // Active cell, edit mode or the text selection in the cell changed.
  virtual void editStateChanged() = 0;
  // Copies the editor's mode and text selection into the sheet.
  virtual void pullEditState() = 0;
  // The chosen entry's id, or 0 when the menu was dismissed.
  virtual int trackPopupMenu(const std::vector<MenuEntry>& entries, Point at) = 0;
  virtual int verticalScrollBarWidth() const = 0;
};

// The tie between a control and its view. Either may go first (widgets are
// deleted later than their models); each side clears its own pointer, and a
// view that finds itself replaced stops acting.
struct SpreadViewLink {
  SpreadControl* control = nullptr;
  SpreadView* view = nullptr;
};

// The spreadsheet control window (class "fpSpread70"): it owns one sheet
// model and turns the user's actions on cells into sheet changes and
// notifications to its parent. Wrappers derive from it to add behaviour.
class UI_API SpreadControl : public Window, private grid::SheetListener {
 public:
  SpreadControl();
  ~SpreadControl() override;

  grid::Sheet& model() { return *sheet_; }
  const grid::Sheet& model() const { return *sheet_; }
  // An empty sheet in place of the old one, as a newly created control has.
  void resetSheet();

  // The text measures of every sheet made from now on; a GUI backend
  // installs the real measures of its fonts (null: plain measures).
  static void setDefaultFontMetrics(const grid::FontMetrics* metrics);
  static const grid::FontMetrics* defaultFontMetrics();

  // Shows a popup menu at a point of the client area; the chosen id or 0.
  // Without a window on screen the menu answer decides (tests install one).
  int trackPopupMenu(const std::vector<MenuEntry>& entries, Point at);
  using MenuAnswer = std::function<int(const std::vector<MenuEntry>&, Point)>;
  static void setMenuAnswer(MenuAnswer answer);
  int verticalScrollBarWidth() const;

  // The view that shows this control from now on (replacing any other).
  std::shared_ptr<SpreadViewLink> connectView(SpreadView* view);
  // The wrapper changed the active cell's edit state; the view follows it.
  void editStateChanged();
  // The sheet learns the editor's state from the view (before find and replace).
  void refreshEditState();

  // What the user does, as the backends and the tests report it. Each
  // answers whether the control took the action.
  // Left click: activates the cell, toggles an unlocked check box (59),
  // presses an unlocked button (60).
  bool userClickCell(int col, int row);
  bool userDoubleClickCell(int col, int row);
  // Moves the active cell (keys, or a click the backend handled itself).
  bool userMoveTo(int col, int row);
  bool userSelectBlock(const grid::Area& block);
  // Column col by its header (row 0) or row row by its header (col 0).
  bool userSelectHeader(int col, int row);
  // The user's edit of a cell: refused for locked, static, button and
  // picture cells and for text the cell's type does not take.
  bool userEdit(int col, int row, std::string_view text);
  bool canEdit(int col, int row) const;
  bool copyToClipboard();
  bool pasteFromClipboard();

  // Arrows move the active cell; Tab moves to the next unlocked cell unless
  // tabExit says the focus leaves the control.
  bool onKey(const KeyEvent& key) override;

 protected:
  // 2: Tab leaves forwards, 3: Shift+Tab leaves backwards, 0: Tab stays inside.
  virtual int tabExit(const KeyEvent& key) { return 0; }
  // Sees every notification before the parent does.
  virtual void onNotify(int code) {}
  // A paste left cells as they were (locked, not for typing, or refusing
  // the text); called once per paste.
  virtual void onPasteSkipped(int cells) {}
  void notify(int code);
  void markChanged() { sheet_->setBool(kSpreadOptionChanged, true); }

 private:
  void cellChanged(int col, int row) override;
  void layoutChanged() override;
  SpreadView* view() const { return link_->view; }
  bool moveBy(int dCol, int dRow);
  bool tabTo(bool backwards);

  std::unique_ptr<grid::Sheet> sheet_;
  std::shared_ptr<SpreadViewLink> link_;
};

}  // namespace ui
