// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/TextRuleCandidates.h"

#include "core/extract/LabelSimilarity.h"
#include "core/extract/PageText.h"
#include "core/extract/RegexExtract.h"
#include "core/extract/StartTextScan.h"
#include "core/extract/WizardRules.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int kMaxNumbersSkipped = 2;
constexpr size_t kExcerptBefore = 40;
constexpr size_t kExcerptAfter = 24;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isNumberByte(char c)
{
    return isDigit(c) || c == '.' || c == ',';
}

size_t numberLength(const std::string& page, size_t at)
{
    size_t end = at;
    while (end < page.size() && isNumberByte(page[end]))
        ++end;
    while (end > at + 1 && !isDigit(page[end - 1]))
        --end;
    return end - at;
}

size_t characterStartAtOrAfter(const std::string& text, size_t pos)
{
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
        ++pos;
    return pos;
}

// The page around a value on one line, as the user reads it.
void setExcerpt(const std::string& page, RepairPlace& place)
{
    const size_t from = characterStartAtOrAfter(page, place.at > kExcerptBefore ? place.at - kExcerptBefore : 0);
    const size_t to = characterStartAtOrAfter(page, std::min(page.size(), place.at + place.length + kExcerptAfter));
    // The tag marks of a semi-html page mean nothing to the reader.
    const char* blanks = place.mode == PageConverter::Mode::SemiHtml ? " \t\r\n<>" : " \t\r\n";
    std::string line;
    for (size_t pos = from; pos < to; ++pos) {
        if (pos == place.at)
            place.excerptValueStart = line.size();
        if (std::strchr(blanks, page[pos]) == nullptr)
            line += page[pos];
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    place.excerpt = std::move(line);
    place.excerptValueLength = place.length;
}

// In the page without conversion only values inside a tag are new: the others are found on the converted pages.
bool insideTag(const std::string& page, size_t at)
{
    const size_t open = page.rfind('<', at);
    const size_t close = page.rfind('>', at);
    return open != std::string::npos && (close == std::string::npos || open > close);
}

bool withinTolerance(double value, double reference, double tolerancePercent)
{
    return std::fabs(value - reference) <= std::fabs(reference) * tolerancePercent / 100.0;
}

} // namespace

namespace TextRuleCandidates {

std::vector<RepairPlace> places(const std::string& page, PageConverter::Mode mode,
                                const std::vector<NumberFormat>& formats, double reference, double tolerancePercent,
                                const std::string& oldLabel, const std::string& oldTextBefore)
{
    std::vector<RepairPlace> found;
    for (size_t at = 0; at < page.size(); ++at) {
        if (!isDigit(page[at]) || (at > 0 && isNumberByte(page[at - 1])))
            continue;
        if (mode == PageConverter::Mode::None && !insideTag(page, at))
            continue;
        for (const NumberFormat& format : formats) {
            double value = 0.0;
            if (RegexExtract::parseNumberAt(page, at, format.thousands, format.decimal, value) !=
                    ExtractStatus::QuotationFound ||
                !withinTolerance(value, reference, tolerancePercent))
                continue;
            RepairPlace place;
            place.value = value;
            place.mode = mode;
            place.at = at;
            place.length = numberLength(page, at);
            place.thousands = format.thousands;
            place.decimal = format.decimal;
            const std::string before = PageText::textBefore(page, at);
            place.label = LabelSimilarity::labelOf(before);
            place.score =
                LabelSimilarity::similarity(place.label, oldLabel) + LabelSimilarity::similarity(before, oldTextBefore);
            setExcerpt(page, place);
            found.push_back(std::move(place));
            break;
        }
    }
    return found;
}

std::vector<Shape> shapesFor(const std::string& page, const RepairPlace& place)
{
    std::vector<Shape> shapes;
    const int largestTags = WizardRules::largestTagCount(place.mode);
    for (int numbers = 0; numbers <= kMaxNumbersSkipped; ++numbers) {
        for (int tags = 0; tags <= largestTags; ++tags) {
            for (StartTextScan::Reach reach : {StartTextScan::Reach::Label, StartTextScan::Reach::Earliest}) {
                std::optional<StartTextScan::Shape> shape =
                    StartTextScan::before(page, place.mode, place.at, tags, numbers, reach);
                if (!shape || shape->startText.find_first_of("0123456789") != std::string::npos)
                    continue;
                if (shapes.empty() || shapes.back().tags != tags || shapes.back().numbers != numbers ||
                    shapes.back().startText != shape->startText)
                    shapes.push_back({tags, numbers, std::move(shape->startText), shape->start});
            }
        }
    }
    return shapes;
}

std::string formatSample(const std::string& thousands, const std::string& decimal)
{
    return "9" + thousands + "999" + decimal + "99";
}

std::string modeName(PageConverter::Mode mode)
{
    switch (mode) {
    case PageConverter::Mode::None:
        return "none";
    case PageConverter::Mode::SemiHtml:
        return "semi-html";
    case PageConverter::Mode::TextOnly:
        return "text-only";
    }
    return "unknown";
}

} // namespace TextRuleCandidates
