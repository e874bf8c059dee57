#include "standards/StandardsDiagnostics.h"

#include "core/Nx_Settings.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Services.h"
#include "platform/ui/Window.h"
#include "standards/StandardsRunFrame.h"

namespace {
// As the application's own message box: no owner, the application's title.
void show(const Nx_String& text) {
  if (!gSettings.showStandardsMessages) return;
  ui::messageBox(text.str(), ui::mainWindow().text(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

void record(KvRunDiagnostic diagnostic) {
  if (StandardsRunFrame* frame = StandardsRunFrame::current()) frame->add(std::move(diagnostic));
}

// The frame's sheet (the loaded path) before the name a caller knows it by.
Nx_String sheetOf(const Nx_String& fileName) {
  StandardsRunFrame* frame = StandardsRunFrame::current();
  return frame && !frame->sheet().isEmpty() ? frame->sheet() : fileName;
}
}  // namespace

Nx_String equationFailureText(const Nx_String& fileName, int row, const Nx_String& varName,
                              const Nx_String& equation) {
  Nx_String text = "The following equation failed:\n";
  if (!varName.isEmpty()) text += varName + " = ";
  text += equation + "\n";
  text += "Spreadsheet : " + fileName + " (line: " + Nx_String(row) + ")\n";
  text += "Here's a tip for finding the cause :\n";
  text +=
      "If this equation contains variable names, then the translator does not know the value of "
      "the variable. Make sure the variable exists either in input, output, local declarations or "
      "among the gen_ variables.";
  return text;
}

Nx_String invalidTolerancesText(double downTolerance, double upTolerance) {
  return "Invalid tolerances provided.\n DownTolerance is :" + Nx_String(downTolerance, 2, true) +
         "UpTolerance is :" + Nx_String(upTolerance, 2, true) +
         "\nAdding both tolerances should result in a positive value.";
}

Nx_String variableFailureText(const Nx_String& fileName, bool isInput, const Nx_String& varName) {
  return Nx_String("The following ") + (isInput ? "Input" : "Output") + " variable couldn't be " +
         (isInput ? "retrieved" : "set") + " : \n" + varName +
         "\nMake sure the variable exists in the macro or module.\n" + "Spreadsheet : " + fileName;
}

Nx_String unboundVariableText(const Nx_String& fileName, bool isInput, const Nx_String& varName,
                              const Nx_String& key) {
  return Nx_String("The following ") + (isInput ? "Input" : "Output") +
         " variable is bound to nothing : \n" + varName +
         "\nThe mapping file has no entry for it under the key " + key +
         ".\nSpreadsheet : " + fileName;
}

Nx_String dataFileProblemText(const Nx_String& fileName, const Nx_String& name, bool found) {
  return "Standards sheet " + fileName + ": the data file " + name +
         (found ? " cannot be read" : " cannot be found");
}

void reportEquationFailure(const Nx_String& fileName, int row, const Nx_String& varName,
                           const Nx_String& equation) {
  Nx_String text = equationFailureText(fileName, row, varName, equation);
  record({KvRunDiagnostic::kEquation, fileName, row, varName, equation, text});
  show(text);
}

void reportInvalidTolerances(double downTolerance, double upTolerance) {
  Nx_String text = invalidTolerancesText(downTolerance, upTolerance);
  if (StandardsRunFrame* frame = StandardsRunFrame::current())
    frame->add(KvRunDiagnostic::kTolerance, Nx_String(), frame->cellText(), text);
  show(text);
}

void reportVariableFailure(const Nx_String& fileName, bool isInput, const Nx_String& varName) {
  Nx_String text = variableFailureText(fileName, isInput, varName);
  StandardsRunFrame* frame = StandardsRunFrame::current();
  record({KvRunDiagnostic::kVariable, sheetOf(fileName), frame ? frame->row() : 0, varName,
          isInput ? "Input" : "Output", text});
  show(text);
}

void reportDataFileProblem(const Nx_String& name, bool found) {
  StandardsRunFrame* frame = StandardsRunFrame::current();
  Nx_String sheet = frame ? frame->sheet() : Nx_String();
  // A sheet may look into a missing file in every row and every child run.
  if (frame && !frame->firstTime("data file\n" + sheet.str() + "\n" + name.str())) return;
  Nx_String text = dataFileProblemText(sheet, name, found);
  if (frame) frame->add(KvRunDiagnostic::kDataFile, Nx_String(), name, text);
  acutPrintf("*Error* %s\n", text.c_str());
}
