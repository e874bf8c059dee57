#include "standards/StandardsDiagnostics.h"

#include "core/Nx_Settings.h"
#include "platform/ui/Services.h"
#include "platform/ui/Window.h"

namespace {
// As the application's own message box: no owner, the application's title.
void show(const Nx_String& text) {
  if (!gSettings.showStandardsMessages) return;
  ui::messageBox(text.str(), ui::mainWindow().text(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
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

void reportEquationFailure(const Nx_String& fileName, int row, const Nx_String& varName,
                           const Nx_String& equation) {
  show(equationFailureText(fileName, row, varName, equation));
}

void reportInvalidTolerances(double downTolerance, double upTolerance) {
  show(invalidTolerancesText(downTolerance, upTolerance));
}

void reportVariableFailure(const Nx_String& fileName, bool isInput, const Nx_String& varName) {
  show(variableFailureText(fileName, isInput, varName));
}
