#pragma once
// The data directory: the seed file and the result file of each of the twenty categories, mirrored by
// the seed box and the result box. Every change of a box rewrites its file from the box.

#include "text/text.h"

// workingDirectory from the current directory; the configuration path and the files of category 1.
void InitialisePaths();

// Makes category `number` (1 to 20) current and loads its two files into the boxes.
void SelectCategory(int number);

// Loads the current category's seed and result files into the two boxes. An existing file is never
// rewritten by the load (it is held while its box is set); a missing one is created empty.
void LoadCategoryTexts();

// The text-changed handlers of the seed box and of the result box.
void SaveSeedText();
void SaveResultText();

// The relative paths of category `number`: "data\zz-N.txt" and "data\jg-N.txt".
Text SeedFileOf(int number);
Text ResultFileOf(int number);
