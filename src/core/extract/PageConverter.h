#pragma once

#include <string>

// Turns a downloaded page into the text that the rules search.
namespace PageConverter {

enum Mode { None = 0, SemiHtml = 1, TextOnly = 2 };

// Converts page text already in UTF-8; an unknown mode gives an empty text.
std::string ConvertPage(int mode, const std::string& page);
// Reads `sourcePath`, applies the page encoding rule and writes the converted text to `targetPath`.
// An unreadable source leaves the target empty. False when the target cannot be written.
bool ConvertPageFile(int mode, const std::string& sourcePath, const std::string& targetPath);

} // namespace PageConverter
