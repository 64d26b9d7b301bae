#pragma once
// The 23-line configuration file: 1 depth, 2 delay in milliseconds, 3 not read, 4 to 23 the captions of
// the category buttons 分类1 to 分类20.

// Lines 1 and 2 into depthText and delayText and the two combo boxes, lines 4 to 23 into the captions.
// A line that the file lacks leaves the empty text (depth, delay) or the caption the button has.
void LoadConfiguration();

// Rewrites line `lineNumber` with FormatInteger(value), every line ending with CR LF, then reloads.
void UpdateConfigurationLine(int lineNumber, int value);

// The list-entry-chosen handlers of 层次组合框 and 延时组合框.
void ApplyDepthChoice();
void ApplyDelayChoice();
