#pragma once
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/CaseBlindKey.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "mapping/KvVarCells.h"
#include "platform/arx/acadstrc.h"
#include "spreadsheet/Nx_Spread.h"
#include "standards/KvRunDiagnostic.h"
#include "standards/KvRunTrace.h"
#include "standards/WholeWordReplace.h"

class KvDlgStandardsData;

// A standards sheet on the hidden spreadsheet of a calculation dialog: the
// sheet file, its variable cells and the general variables of the run.
//
// Layout: the first cells (row by row, left to right) whose value text is
// "Input", "Output", "Local" and "Calc" (letters without case) divide the
// sheet. A section starts on the row below its label and ends on the row of
// the nearest other label below it (or the last row); Calc always runs to
// the last row. Declarations ("Double Width", the keyword with its case) in
// the Input, Output and Local sections are the variables; every non-empty
// Calc cell is an equation (name = expression) or a call of a native
// function ("CallChild"), computed row by row, left to right.
//
// Status results are eOk or eInvalidInput. A failing step of a run prints
// one "*Error* " line on the command line saying why. Everything that goes
// wrong is also recorded on the diagnostics of the run in progress
// (StandardsRunFrame).
class KvStandardsSheet : public Nx_Spread {
 public:
  // Child sheets nest at most this deep; the call that would go deeper fails.
  static constexpr int kMaxChildDepth = 16;

  // Loads the sheet: a file of exactly that name, else the name in the
  // library's "Connection Standards" folder with ".kvs" added.
  Acad::ErrorStatus loadFile(const Nx_String& name);
  // Collects the variable cells; fails without an "Input" or "Output" label.
  Acad::ErrorStatus initVarCells();
  // Parent run, before the equations: variables from the macro into their
  // cells, general variables replaced.
  Acad::ErrorStatus initSSForInput(KvDlgStandardsData& data);
  // Child run, before the equations: the Input and Output cells, in sheet
  // order, take the values of the arguments (data.varCells) one by one.
  Acad::ErrorStatus getFromVars(KvDlgStandardsData& data);
  // Every whole word that names a general variable, in every cell, becomes
  // its value (quoted when it is not a number).
  Acad::ErrorStatus replaceGenVars();
  // Registers the sheet functions, drops duplicate variables (with a
  // message) and computes the Calc section; fails without a "Calc" label.
  // A child's duplicates are dropped before its arguments are bound.
  Acad::ErrorStatus calcMain();
  // calcMain, then the Output values back into the macro.
  Acad::ErrorStatus calcParent(KvDlgStandardsData& data);
  // calcMain, then the Output values into the arguments.
  Acad::ErrorStatus calcChild(KvVarCells& args);
  // One Calc cell; a failing equation shows the equation diagnostic and
  // leaves its variable as it was.
  Acad::ErrorStatus calcCell(int col, int row);
  // Variable names (whole words outside quoted text) become cell references;
  // read, when given, receives the variables replaced (indexes into
  // varCells), first use first, each once.
  Acad::ErrorStatus replaceVariables(Nx_String& text, std::vector<int>* read = nullptr);
  // "C12" for the variable in column 3, row 12.
  Acad::ErrorStatus getVarCoordName(const Nx_String& name, Nx_String& reference);
  // Runs a native function call: CallChild("sheet", var, var, ...). A sheet
  // already on the call stack, nesting deeper than kMaxChildDepth and more
  // than StandardsRunFrame::kMaxChildRuns child runs fail the call.
  // With trace, the call's arguments, results and the child's rows go there.
  Acad::ErrorStatus callChild(const Nx_String& text, const Nx_String& functionName,
                              KvTraceRow* trace = nullptr);
  // The child sheet's file: the name itself, beside this sheet, then in
  // "Connection Standards", its "Childs", "Data" and "Parents" folders; the
  // name unchanged when none exists.
  Nx_String resolveChildPath(const Nx_String& name) const;

  const Nx_String& fileName() const { return fileName_; }
  const KvVarCells& varCells() const { return varCells_; }
  KvVarCells& varCells() {
    ++varsGeneration_;
    return varCells_;
  }
  const Nx_StringArray& genVarNames() const { return genVarNames_; }
  const Nx_StringArray& genVarValues() const { return genVarValues_; }

 private:
  enum Label { kInput, kOutput, kLocal, kCalc, kLabelCount };
  // Rows of the first cells holding each label; 0 when missing.
  struct Labels {
    int row[kLabelCount] = {};
  };
  Labels locateLabels() const;
  // The last row of the section of a label that exists.
  int sectionEnd(const Labels& labels, Label label) const;
  void scanSection(const Labels& labels, Label label, KvCellType type);
  void calcCells(int firstRow);
  // Removes the later of duplicate variable names, telling the author once.
  void dropDuplicateVars();
  // Rows for the variable diagnostics of the mapping since firstDiagnostic;
  // in mapping mode, the Inputs and Outputs without a mapping entry.
  void findUnboundVars(const KvDlgStandardsData& data, std::size_t firstDiagnostic);
  // A new value for a variable and its cell; one the cell refuses leaves both as they were.
  bool assign(int index, const Nx_String& value);
  // The Output values to the macro; a write the macro refuses is reported.
  void writeOutputs(KvDlgStandardsData& data);
  // The first variable cell of that name (letters without case), or -1.
  int findVar(const Nx_String& name);
  void refreshVarIndex();
  // Prints "*Error* Standards sheet PATH: REASON" and records it; false.
  bool failStep(const char* reason, KvRunDiagnostic::Kind kind = KvRunDiagnostic::kSheet,
                const Nx_String& variable = Nx_String()) const;

  Nx_String fileName_;
  KvVarCells varCells_;
  Nx_StringArray genVarNames_;
  Nx_StringArray genVarValues_;

  // Lookups built from the variable cells once per change of them.
  unsigned varsGeneration_ = 0;
  unsigned indexGeneration_ = ~0u;
  unsigned replacerGeneration_ = ~0u;
  caseblind::Map<int> varIndex_;  // name, any case -> first cell
  WholeWordReplacer variableReplacer_;
  std::vector<int> replacedVars_;  // variableReplacer_'s pair -> variable cell
  // Names (any case) of the variables whose reading was reported or that
  // the mapping does not bind: a refused write of theirs is no news.
  caseblind::Set toldVars_;
};
