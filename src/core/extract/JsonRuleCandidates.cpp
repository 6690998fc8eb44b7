// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonRuleCandidates.h"

#include "core/base/TextCompare.h"
#include "core/extract/JsonPage.h"
#include "core/extract/LabelSimilarity.h"
#include "core/extract/QuotationNumber.h"

#include <cmath>

namespace {

bool isPlainKey(const std::string& key)
{
    if (key.empty())
        return false;
    for (char c : key) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!plain)
            return false;
    }
    return true;
}

std::string memberStep(const std::string& key)
{
    if (isPlainKey(key))
        return "." + key;
    std::string step = "['";
    for (char c : key) {
        if (c == '\'' || c == '\\')
            step += '\\';
        step += c;
    }
    return step + "']";
}

class PlaceCollector {
public:
    PlaceCollector(const std::vector<TextRuleCandidates::NumberFormat>& formats, double reference,
                   double tolerancePercent, const std::string& oldPath)
        : m_formats(formats), m_reference(reference), m_tolerance(tolerancePercent), m_oldPath(oldPath),
          m_oldKey(foldCase(JsonRuleCandidates::lastKey(oldPath)))
    {
    }

    void walk(const nlohmann::ordered_json& node, const std::string& path, const std::string& key)
    {
        if (node.is_object()) {
            for (const auto& [member, value] : node.items())
                walk(value, path + memberStep(member), member);
        } else if (node.is_array()) {
            for (size_t i = 0; i < node.size(); ++i)
                walk(node[i], path + "[" + std::to_string(i) + "]", key);
        } else {
            consider(node, path, key);
        }
    }

    std::vector<RepairPlace> take() { return std::move(m_places); }

private:
    void consider(const nlohmann::ordered_json& node, const std::string& path, const std::string& key)
    {
        double value = 0.0;
        const TextRuleCandidates::NumberFormat* format =
            node.is_number() ? &m_formats.front() : readString(node, value);
        if (!format)
            return;
        if (node.is_number())
            value = node.get<double>();
        if (std::fabs(value - m_reference) > std::fabs(m_reference) * m_tolerance / 100.0)
            return;
        RepairPlace place;
        place.thousands = format->thousands;
        place.decimal = format->decimal;
        place.value = value;
        place.mode = PageConverter::Mode::None;
        place.jsonPath = path;
        place.label = LabelSimilarity::normalized(key);
        const bool sameKey = !m_oldKey.empty() && foldCase(key) == m_oldKey;
        place.score = (sameKey ? 1.0 : 0.0) + LabelSimilarity::similarity(path, m_oldPath);
        const std::string shown = node.dump();
        place.excerpt = "\"" + key + "\": " + shown;
        place.excerptValueStart = place.excerpt.size() - shown.size();
        place.excerptValueLength = shown.size();
        m_places.push_back(std::move(place));
    }

    // The first format that reads the string as a number.
    const TextRuleCandidates::NumberFormat* readString(const nlohmann::ordered_json& node, double& value) const
    {
        if (!node.is_string())
            return nullptr;
        for (const TextRuleCandidates::NumberFormat& format : m_formats) {
            if (parseQuotationNumber(node.get_ref<const std::string&>().c_str(), format.thousands, format.decimal,
                                     value) == ExtractStatus::QuotationFound)
                return &format;
        }
        return nullptr;
    }

    const std::vector<TextRuleCandidates::NumberFormat>& m_formats;
    double m_reference;
    double m_tolerance;
    const std::string& m_oldPath;
    std::string m_oldKey;
    std::vector<RepairPlace> m_places;
};

} // namespace

namespace JsonRuleCandidates {

std::vector<RepairPlace> places(const std::string& page, const std::vector<TextRuleCandidates::NumberFormat>& formats,
                                double reference, double tolerancePercent, const std::string& oldPath)
{
    if (page.size() > kMaxPageBytes)
        return {};
    std::string_view text(page);
    while (!text.empty() &&
           (text.front() == ' ' || text.front() == '\n' || text.front() == '\r' || text.front() == '\t'))
        text.remove_prefix(1);
    if (text.empty() || (text.front() != '{' && text.front() != '['))
        return {};
    const JsonPage json(page);
    if (!json.isValid())
        return {};
    PlaceCollector collector(formats, reference, tolerancePercent, oldPath);
    collector.walk(json.document(), "$", "");
    return collector.take();
}

std::string lastKey(const std::string& path)
{
    const size_t bracket = path.rfind("['");
    const size_t dot = path.rfind('.');
    if (bracket != std::string::npos && (dot == std::string::npos || bracket > dot)) {
        const size_t end = path.find("']", bracket + 2);
        return path.substr(bracket + 2, end == std::string::npos ? std::string::npos : end - bracket - 2);
    }
    if (dot == std::string::npos)
        return {};
    const size_t end = path.find_first_of("[. )=", dot + 1);
    return path.substr(dot + 1, end == std::string::npos ? std::string::npos : end - dot - 1);
}

} // namespace JsonRuleCandidates
