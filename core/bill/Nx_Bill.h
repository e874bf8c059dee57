#pragma once
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/acadstrc.h"

class Nx_ListOutputCallback;

// A bill of material as the list generator produces it, read here from a
// list file (docs/bill-lists.md): a caption line whose captions may carry a
// kind ("Qty:whole"), then one line per part; a line starting with "*" is a
// subtotal line. Faults name the file and the line; the bill goes on
// without the cell at fault.
class DCM_API Nx_Bill {
 public:
  // Column kinds of the bill sheet: 1 whole number, 2 one decimal, 3 text.
  enum Kind { kPlain = 0, kWhole = 1, kDecimal = 2, kText = 3 };
  struct Line {
    Nx_StringArray cells;  // the fed columns
    bool subtotal = false;
    int lineNumber = 0;  // in the list file
    Nx_String picture;   // a picture file named by the line, with its path
  };

  virtual ~Nx_Bill() = default;

  // False (with the reason in faults) when the file cannot be read or has no
  // caption line; faults of single lines are added and the line is kept.
  bool readList(const Nx_String& path, Nx_StringArray& faults);

  // Feeds the lines to an output: start, rows and subtotals, end.
  Acad::ErrorStatus feed(Nx_ListOutputCallback& output);

  Nx_String listFile;
  Nx_StringArray captions;  // of the fed columns
  AcArray<int> kinds;
  int sectionColumn = -1;  // fed column of the profile section, for pictures
  int lengthColumn = -1;   // fed column of the part's length
  std::vector<Line> lines;
  // Where the pictures of the bill are made; set by whoever saves the bill.
  Nx_String pictureFolder;
  // The line being fed (index into lines), for the picture maker.
  int currentLine = -1;
};
