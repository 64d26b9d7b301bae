#pragma once
// The results-page address of a keyword.

#include "text/text.h"

// The search engine's host as the build sets it ("host" or "host:port").
Text SearchHost();

// "http://" + host + "/search?ie=gb2312&oe=gb2312&hl=zh-CN&q=" + the keyword's bytes, unescaped.
Text BuildSearchUrl(const Text& keyword);
