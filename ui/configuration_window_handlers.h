#pragma once
// The handlers of the configuration window. The window keeps no copy of the file: its box holds the text,
// and every change of the box rewrites the file.

// The window has been created: its balloon tip, then the file into 配制编辑框.
void LoadConfigurationText();

// The text of 配制编辑框 changed: the box becomes the whole file.
void SaveConfigurationText();

// The window is about to close: counts the file's lines and says whether they are the required 23.
void CheckConfigurationLines();
