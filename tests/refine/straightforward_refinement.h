#pragma once
// De-duplication and purification done the straightforward way: every pair of lines compared with
// ByteLength and FindText, every surviving line appended to the result box on its own. The tests hold
// the fast versions against these; the benchmark measures them as the baseline.

#include "text/text.h"

Text StraightforwardDeduplicatedText(const Text& resultText);
Text StraightforwardPurifiedText(const Text& seedText, const Text& resultText);

// The two workers through the surface, one append per surviving line.
void StraightforwardRemoveDuplicates();
void StraightforwardPurifyResults();
