#pragma once

#include <string>

// The one number parser of the program. `text` is zero-terminated and points where a number should begin;
// thousands separators are dropped wherever they stand and the decimal separator becomes the point.
// Returns 0 (found), 1 (no number here) or 3 (not a valid number).
int ParseQuotationNumber(const char* text, const std::string& thousands, const std::string& decimal, double& value);
