#pragma once
// Runs of the module's dialogs on sample records; each prints on the
// command line what it passes in and what comes back.
void runGridSample();
void runCis2Sample();
// The library's cutting-stock groups, or two small built-in groups.
void runCsp2Sample();
// The formula dialog on the library's sample tables (Tables/).
void runEvaluateSample();
void runReadTableSample();
// The section-library editor on the library's prof/ tables.
void runEditLibSectionsSample();
// The size editor on the library's HEA table (or its first table); a new
// size goes to the section tables of this session, not to the file.
void runEditLibSimpleSample();
// The session's general-variable tables and levels: each run starts from
// what the last one left.
void runGenVarsSample();
void runLevelsSample();
// The designer on the sample library's end-plate template.
void runDesignerSample();
// The small editors of the macro and other subsystems, on records kept for
// the session (the image folder is the library's icons).
void runStringTableSample();
void runConstraintsSample();
void runModelessConstraintsSample();
void runMacroCutsSample();
void runProfAdvSample();
void runProfCutsSample();
void runArraySample();
void runProfFeaturesSample();
void runSelectMacroSample();
void runLookUpSample();
void runSelectImageSample();
void runCladdingSample();
void runBracingSample();
void runDstvPointsSample();
