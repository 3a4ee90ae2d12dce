// Main-window operations whose commands are not built yet. Each one moves into the file
// of its subsystem when that subsystem lands; until then it does the least that keeps
// the start-up and close sequences whole.
#include "app/ui/mainform.h"

#include "app/catalogue.h"
#include "app/platform.h"

void TMainForm::ScanProblems() {}
void TMainForm::ShowNextProblem() {}
