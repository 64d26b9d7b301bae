#pragma once
// Purification of the result box: the result lines that contain at least one seed stay, in order.

#include "text/text.h"

// The click handler of 结果提纯: starts PurifyResults on a detached worker and returns.
void StartPurifyResults();

// The worker's body: reads both boxes, reports, rewrites the result box, reports the count.
void PurifyResults();

// The output text for given seed and result texts.
Text PurifiedText(const Text& seedText, const Text& resultText);
