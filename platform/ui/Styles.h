#pragma once
// The window styles, item ids, notification codes and key codes of the
// dialog kit. They keep the values of the Windows API the module was written
// against, so templates and module code read as they always did.

namespace ui {

using Style = unsigned long;

// Window styles.
inline constexpr Style WS_OVERLAPPED = 0x00000000;
inline constexpr Style WS_POPUP = 0x80000000;
inline constexpr Style WS_CHILD = 0x40000000;
inline constexpr Style WS_VISIBLE = 0x10000000;
inline constexpr Style WS_DISABLED = 0x08000000;
inline constexpr Style WS_CAPTION = 0x00C00000;
inline constexpr Style WS_BORDER = 0x00800000;
inline constexpr Style WS_VSCROLL = 0x00200000;
inline constexpr Style WS_HSCROLL = 0x00100000;
inline constexpr Style WS_SYSMENU = 0x00080000;
inline constexpr Style WS_THICKFRAME = 0x00040000;
inline constexpr Style WS_GROUP = 0x00020000;
inline constexpr Style WS_TABSTOP = 0x00010000;
inline constexpr Style WS_MINIMIZEBOX = 0x00020000;
inline constexpr Style WS_MAXIMIZEBOX = 0x00010000;
inline constexpr Style WS_EX_TOPMOST = 0x00000008;
inline constexpr Style WS_EX_TRANSPARENT = 0x00000020;
inline constexpr Style WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr Style WS_EX_STATICEDGE = 0x00020000;
// The kit's own extended style, unused by the desktop: the window gets no
// widget of its own. Its parent draws it (ui::paintControl) and receives the
// mouse over it, so a layout editor can select and drag it like a picture.
inline constexpr Style WS_EX_PARENTDRAWN = 0x40000000;

// Dialog styles.
inline constexpr Style DS_SETFONT = 0x40;
inline constexpr Style DS_MODALFRAME = 0x80;
inline constexpr Style DS_CONTROL = 0x400;
inline constexpr Style DS_CENTER = 0x800;

// Buttons.
inline constexpr Style BS_PUSHBUTTON = 0x0;
inline constexpr Style BS_DEFPUSHBUTTON = 0x1;
inline constexpr Style BS_CHECKBOX = 0x2;
inline constexpr Style BS_AUTOCHECKBOX = 0x3;
inline constexpr Style BS_RADIOBUTTON = 0x4;
inline constexpr Style BS_3STATE = 0x5;
inline constexpr Style BS_AUTO3STATE = 0x6;
inline constexpr Style BS_GROUPBOX = 0x7;
inline constexpr Style BS_AUTORADIOBUTTON = 0x9;
inline constexpr Style BS_TYPEMASK = 0xF;
inline constexpr Style BS_ICON = 0x40;
inline constexpr Style BS_BITMAP = 0x80;
inline constexpr Style BS_LEFT = 0x100;
inline constexpr Style BS_RIGHT = 0x200;
inline constexpr Style BS_CENTER = 0x300;
inline constexpr Style BS_VCENTER = 0xC00;
inline constexpr Style BS_PUSHLIKE = 0x1000;
inline constexpr Style BS_MULTILINE = 0x2000;

// Edit fields.
inline constexpr Style ES_LEFT = 0x0;
inline constexpr Style ES_CENTER = 0x1;
inline constexpr Style ES_RIGHT = 0x2;
inline constexpr Style ES_MULTILINE = 0x4;
inline constexpr Style ES_PASSWORD = 0x20;
inline constexpr Style ES_AUTOVSCROLL = 0x40;
inline constexpr Style ES_AUTOHSCROLL = 0x80;
inline constexpr Style ES_READONLY = 0x800;
inline constexpr Style ES_WANTRETURN = 0x1000;
inline constexpr Style ES_NUMBER = 0x2000;

// Static controls.
inline constexpr Style SS_LEFT = 0x0;
inline constexpr Style SS_CENTER = 0x1;
inline constexpr Style SS_RIGHT = 0x2;
inline constexpr Style SS_ICON = 0x3;
inline constexpr Style SS_BLACKRECT = 0x4;
inline constexpr Style SS_GRAYRECT = 0x5;
inline constexpr Style SS_WHITERECT = 0x6;
inline constexpr Style SS_BLACKFRAME = 0x7;
inline constexpr Style SS_GRAYFRAME = 0x8;
inline constexpr Style SS_WHITEFRAME = 0x9;
inline constexpr Style SS_SIMPLE = 0xB;
inline constexpr Style SS_LEFTNOWORDWRAP = 0xC;
inline constexpr Style SS_BITMAP = 0xE;
inline constexpr Style SS_ETCHEDHORZ = 0x10;
inline constexpr Style SS_ETCHEDVERT = 0x11;
inline constexpr Style SS_ETCHEDFRAME = 0x12;
inline constexpr Style SS_TYPEMASK = 0x1F;
inline constexpr Style SS_NOTIFY = 0x100;
inline constexpr Style SS_CENTERIMAGE = 0x200;
inline constexpr Style SS_SUNKEN = 0x1000;

// Combo boxes.
inline constexpr Style CBS_SIMPLE = 0x1;
inline constexpr Style CBS_DROPDOWN = 0x2;
inline constexpr Style CBS_DROPDOWNLIST = 0x3;
inline constexpr Style CBS_TYPEMASK = 0x3;
inline constexpr Style CBS_AUTOHSCROLL = 0x40;
inline constexpr Style CBS_SORT = 0x100;

// List boxes.
inline constexpr Style LBS_NOTIFY = 0x1;
inline constexpr Style LBS_SORT = 0x2;
inline constexpr Style LBS_MULTIPLESEL = 0x8;
inline constexpr Style LBS_NOINTEGRALHEIGHT = 0x100;
inline constexpr Style LBS_EXTENDEDSEL = 0x800;

// Scroll bars.
inline constexpr Style SBS_HORZ = 0x0;
inline constexpr Style SBS_VERT = 0x1;

// Standard item ids and the answers of message boxes.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDC_STATIC = -1;

// Notification codes that controls send to their dialog with their id.
inline constexpr int BN_CLICKED = 0;
inline constexpr int BN_DOUBLECLICKED = 5;
inline constexpr int EN_SETFOCUS = 0x100;
inline constexpr int EN_KILLFOCUS = 0x200;
inline constexpr int EN_CHANGE = 0x300;
inline constexpr int LBN_SELCHANGE = 1;
inline constexpr int LBN_DBLCLK = 2;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int CBN_DBLCLK = 2;
inline constexpr int CBN_SETFOCUS = 3;
inline constexpr int CBN_KILLFOCUS = 4;
inline constexpr int CBN_EDITCHANGE = 5;
inline constexpr int CBN_DROPDOWN = 7;
inline constexpr int CBN_CLOSEUP = 8;
inline constexpr int TCN_SELCHANGE = -551;
inline constexpr int TCN_SELCHANGING = -552;

// Check states.
inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;
inline constexpr int BST_INDETERMINATE = 2;

// Results of list operations.
inline constexpr int LB_ERR = -1;
inline constexpr int CB_ERR = -1;

// Message boxes: buttons, icons, default button.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_TYPEMASK = 0xF;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_ICONMASK = 0xF0;
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFMASK = 0xF00;

// Virtual-key codes; letters and digits are their upper-case characters.
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21;
inline constexpr int VK_NEXT = 0x22;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F2 = 0x71;
inline constexpr int VK_F3 = 0x72;
inline constexpr int VK_F4 = 0x73;
inline constexpr int VK_F5 = 0x74;
inline constexpr int VK_F6 = 0x75;
inline constexpr int VK_F7 = 0x76;
inline constexpr int VK_F8 = 0x77;
inline constexpr int VK_F9 = 0x78;
inline constexpr int VK_F10 = 0x79;
inline constexpr int VK_F11 = 0x7A;
inline constexpr int VK_F12 = 0x7B;

// Class names of the standard controls.
inline constexpr const char* kStaticClass = "STATIC";
inline constexpr const char* kButtonClass = "BUTTON";
inline constexpr const char* kEditClass = "EDIT";
inline constexpr const char* kComboBoxClass = "COMBOBOX";
inline constexpr const char* kListBoxClass = "LISTBOX";
inline constexpr const char* kScrollBarClass = "SCROLLBAR";
inline constexpr const char* kTabControlClass = "SysTabControl32";
inline constexpr const char* kDialogClass = "#32770";

}  // namespace ui
