#pragma once
// The start-up directory that the window tests begin in: a correct configuration and the files of
// categories 1 and 3.

#include <string>

#include "tests/support/temp_dir.h"

// The 23 lines of a correct configuration file, each ending with CR LF (GBK): depth, delay, line 3 and
// the captions "类别1" to "类别20".
std::string ConfigurationBytes(const std::string& depth = "2", const std::string& delay = "0");

// Writes data/vantor.txt and the seed and result files of categories 1 and 3 into `dir`.
void PrepareStartUpDirectory(const TempDir& dir);
