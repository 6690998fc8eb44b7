// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// How page bytes become the text that rules search.
namespace PageText {

constexpr int kExcerptLength = 50;
constexpr int kMaxExcerptLength = 259;
constexpr size_t kTextBeforeBytes = 64;

// Valid UTF-8 stays as it is; anything else is taken as Windows-1252 and converted.
std::string normalizeEncoding(std::string bytes);
// A page as the searches see it: UTF-8, zero bytes turned into blanks.
std::string forSearch(std::string bytes);
// Up to 50 characters of the page from `pos`, with " [...]" when more remain.
std::string excerptAt(const std::string& page, size_t pos);
// About 64 bytes of the page before `pos`, beginning on a character.
std::string textBefore(const std::string& page, size_t pos);
// Cuts a message to at most 259 characters, never inside a character.
std::string limitExcerpt(const std::string& text);

} // namespace PageText
