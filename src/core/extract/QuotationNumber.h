// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/ExtractResult.h"

#include <string>

// The one number parser of the program. `text` is zero-terminated and points where a number should begin;
// thousands separators are dropped wherever they stand and the decimal separator becomes the point.
// Returns QuotationFound, QuotationNotFound (no number here) or InvalidValue (not a valid number).
ExtractStatus parseQuotationNumber(const char* text, const std::string& thousands, const std::string& decimal,
                                   double& value);
