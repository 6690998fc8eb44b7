#include "core/extract/ExtractResult.h"

std::string ExtractResult::statusText() const
{
    switch (status) {
    case ExtractStatus::StartTextNotFound:
        return "Error: Text not found!";
    case ExtractStatus::InvalidValue:
        return "Error: Invalid value!";
    default:
        return excerpt.empty() ? "Error: Quotation not found!!" : "Error: Quotation not found!! (" + excerpt + ")";
    }
}
