// Texts in stored files are bytes: shown as UTF-8 when valid, else read as Windows-1252.
// Excel 5.0 files take Windows-1252, with "?" for what it cannot hold.
#pragma once

#include <string>
#include <string_view>

bool IsValidUtf8(std::string_view bytes);
// UTF-8 text for display of stored bytes.
std::string DisplayText(std::string_view bytes);
std::string Cp1252ToUtf8(std::string_view bytes);
// Windows-1252 bytes of a UTF-8 text; invalid UTF-8 is taken as Windows-1252 already.
std::string ToCp1252(std::string_view text);
