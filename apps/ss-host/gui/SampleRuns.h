#pragma once
// Runs of the module's dialogs on sample records; each prints on the
// command line what it passes in and what comes back.
void runGridSample();
void runCis2Sample();
// The library's cutting-stock groups, or two small built-in groups.
void runCsp2Sample();
// The designer on the sample library's end-plate template.
void runDesignerSample();
