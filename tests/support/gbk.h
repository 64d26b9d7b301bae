#pragma once
// Tests write the system's texts as readable UTF-8 literals and compare them as GBK bytes.

#include <string>
#include <string_view>

// The GBK bytes of a UTF-8 text. Aborts the test program when the text has no GBK form.
std::string Gbk(std::string_view utf8);

// The UTF-8 form of GBK bytes, for readable failure messages.
std::string Utf8(std::string_view gbk);
