#pragma once

#include <string>

// Compares two texts ignoring letter case: below 0, 0 or above 0 as strcmp.
int compareIgnoringCase(const std::string& a, const std::string& b);
