// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/QuotationTimeParts.h"

#include <array>
#include <ctime>
#include <optional>
#include <string>

// Which of a date text's three parts is day, month and year, from the server's date indices 1 to 3
// (`--date 2,1,3` reads "08/24/2022" as 24 August 2022). Other indices leave the default order.
struct DateOrder {
    int day = 0;
    int month = 1;
    int year = 2;

    static std::optional<DateOrder> fromIndices(int day, int month, int year);
};

// The date and time a rule's date and time values give a quotation, shared by the JSON and XPath rules.
// A number is Unix time (milliseconds above 1e11); a date text is ISO 8601 (local time without an offset),
// else day, month and year (in the date order when there is one, else year first when the text starts with
// four digits); a time text is hour and minute. What the values leave out comes from the reference time.
class QuotationMoment {
public:
    QuotationMoment(time_t reference, std::optional<DateOrder> order);

    bool readDateNumber(double number);
    bool readDateText(const std::string& text);
    bool readTimeNumber(double number);
    bool readTimeText(const std::string& text);

    std::optional<time_t> time() const { return m_instant ? m_instant : m_parts.build(); }

private:
    bool takeInstant(std::optional<time_t> instant);
    bool takeTimeOfDay(std::optional<time_t> instant);

    QuotationTimeParts m_parts;
    std::optional<DateOrder> m_order;
    std::optional<time_t> m_instant;
};
