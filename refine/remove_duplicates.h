#pragma once
// De-duplication of the result box: the last occurrence of each line stays, every empty line stays in
// its place, and every surviving line ends with CR LF.

#include "text/text.h"

// The click handler of 去除重复: starts RemoveDuplicates on a detached worker and returns.
void StartRemoveDuplicates();

// The worker's body: reads the result box, reports, rewrites the box, reports the count.
void RemoveDuplicates();

// The output text for a given box text.
Text DeduplicatedText(const Text& resultText);
