// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonPathStream.h"

#include "core/extract/JsonPage.h"

#include <algorithm>
#include <vector>

using Json = nlohmann::ordered_json;

// Every node the path can reach gets a frame while it is open; everything else is read and dropped. A node
// on the path reports what the rest of the path found below it to its parent when it closes, and the parent
// picks as JsonPath::walk would: the first member of a name, the indexed element, or the first element that
// finds a value (and passes the filter, whose compared value is followed down the element as a chain).
class JsonPathStream::Reader {
public:
    explicit Reader(const JsonPath* path) : m_path(path) { }

    bool null() { return scalar(Json()); }
    bool boolean(bool value) { return scalar(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return scalar(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return scalar(Json(value)); }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return scalar(Json(value)); }
    bool string(Json::string_t& value) { return scalar(Json(std::move(value))); }
    bool binary(Json::binary_t&) { return false; }
    bool start_object(std::size_t) { return open(true); }
    bool start_array(std::size_t) { return open(false); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }
    bool key(Json::string_t& name)
    {
        if (m_skipDepth == 0)
            m_frames.back().key = std::move(name);
        return true;
    }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&)
    {
        m_outcome.errorByte = std::max<std::size_t>(position, 1);
        return false;
    }

    Outcome take(size_t errorByte)
    {
        if (errorByte != 0) {
            m_outcome.errorByte = errorByte;
            return std::move(m_outcome);
        }
        m_outcome.value = std::move(m_found.value);
        if (m_path)
            m_outcome.matched = m_path->matchedText(m_found.deepest);
        return std::move(m_outcome);
    }
    size_t errorByte() const { return m_outcome.errorByte; }

private:
    using Step = JsonPath::Step;

    struct Reach {
        std::optional<Json> value;
        size_t deepest = 0;
    };
    // A filter's compared value followed down from the element: the next member name wanted is
    // `member[next]` of the filter step `step`; the element's frame is `element`.
    struct Chain {
        size_t element = 0;
        size_t step = 0;
        size_t next = 0;
        bool taken = false;
    };
    struct Place {
        bool onPath = false;
        size_t step = 0;
        bool startsFilter = false;
        bool kept = false;
        std::vector<Chain> chains;
    };
    struct Frame {
        bool isObject = false;
        Place place;
        size_t children = 0;
        bool decided = false;
        bool filterHolds = false;
        Reach reach;
        // A negative index keeps the last children's findings, the oldest at children % size once full.
        std::vector<Reach> window;
        bool keeping = false;
        Json kept;
        std::string key;
    };

    // How many elements from the end a negative index reaches back.
    static size_t windowSize(const Step& step) { return static_cast<size_t>(-(step.index + 1)) + 1; }

    size_t stepCount() const { return m_path ? m_path->m_steps.size() : 0; }
    const Step& stepAt(size_t step) const { return m_path->m_steps[step]; }

    Place placeChild()
    {
        Place place;
        if (m_frames.empty()) {
            place.onPath = m_path != nullptr;
            return place;
        }
        Frame& parent = m_frames.back();
        const size_t index = parent.children++;
        placeOnPath(parent, index, place);
        for (Chain& chain : parent.place.chains) {
            if (!parent.isObject || chain.taken || chain.next == stepAt(chain.step).member.size() ||
                parent.key != stepAt(chain.step).member[chain.next])
                continue;
            chain.taken = true;
            place.chains.push_back({chain.element, chain.step, chain.next + 1, false});
        }
        place.kept = parent.keeping && m_keptNodes < kKeptNodes;
        if (place.kept)
            ++m_keptNodes;
        return place;
    }

    void placeOnPath(Frame& parent, size_t index, Place& place)
    {
        if (!parent.place.onPath || parent.decided || parent.place.step == stepCount())
            return;
        const Step& step = stepAt(parent.place.step);
        switch (step.kind) {
        case Step::Kind::Key:
            place.onPath = parent.isObject && parent.key == step.key;
            parent.decided = place.onPath;
            break;
        case Step::Kind::Index:
            place.onPath = !parent.isObject && (step.index < 0 || static_cast<long long>(index) == step.index);
            parent.decided = place.onPath && step.index >= 0;
            break;
        default:
            place.onPath = true;
            place.startsFilter = step.kind != Step::Kind::Any;
            break;
        }
        place.step = parent.place.step + 1;
    }

    bool scalar(Json&& value)
    {
        if (m_skipDepth > 0)
            return true;
        const Place place = placeChild();
        for (const Chain& chain : place.chains) {
            if (chain.next == stepAt(chain.step).member.size())
                m_frames[chain.element].filterHolds = JsonPath::comparesEqual(stepAt(chain.step), value);
        }
        if (place.onPath && place.step == stepCount())
            deliver({std::move(value), place.step}, false);
        else if (place.onPath)
            deliver({std::nullopt, place.step}, false);
        else if (place.kept)
            keepInParent(std::move(value));
        return true;
    }

    bool open(bool isObject)
    {
        if (++m_depth > JsonPage::kMaxDepth)
            return false;
        if (m_skipDepth > 0) {
            ++m_skipDepth;
            return true;
        }
        Place place = placeChild();
        const bool startsKeeping = place.onPath && place.step == stepCount();
        if (!place.onPath && !place.kept && place.chains.empty()) {
            m_skipDepth = 1;
            return true;
        }
        if (startsKeeping)
            m_keptNodes = 0;
        if (place.startsFilter)
            place.chains.push_back({m_frames.size(), place.step - 1, 0, false});
        Frame& frame = m_frames.emplace_back();
        frame.isObject = isObject;
        frame.reach.deepest = place.step;
        frame.keeping = place.kept || startsKeeping;
        if (frame.keeping)
            frame.kept = isObject ? Json::object() : Json::array();
        frame.place = std::move(place);
        return true;
    }

    bool close()
    {
        --m_depth;
        if (m_skipDepth > 0) {
            --m_skipDepth;
            return true;
        }
        Frame frame = std::move(m_frames.back());
        m_frames.pop_back();
        if (frame.place.onPath)
            deliver(reachOf(frame), frame.filterHolds);
        else if (frame.place.kept)
            keepInParent(std::move(frame.kept));
        return true;
    }

    Reach reachOf(Frame& frame) const
    {
        if (frame.place.step == stepCount())
            return {std::move(frame.kept), frame.place.step};
        const Step& step = stepAt(frame.place.step);
        if (step.kind != Step::Kind::Index || step.index >= 0)
            return std::move(frame.reach);
        if (frame.isObject || frame.children < windowSize(step))
            return {std::nullopt, frame.place.step};
        Reach& chosen = frame.window[frame.children % windowSize(step)];
        return {std::move(chosen.value), std::max(frame.place.step, chosen.deepest)};
    }

    void deliver(Reach&& reach, bool filterHolds)
    {
        if (m_frames.empty()) {
            m_found = std::move(reach);
            return;
        }
        Frame& parent = m_frames.back();
        const Step& step = stepAt(parent.place.step);
        if (step.kind == Step::Kind::Index && step.index < 0) {
            const size_t size = windowSize(step);
            if (parent.window.size() < size)
                parent.window.push_back(std::move(reach));
            else
                parent.window[(parent.children - 1) % size] = std::move(reach);
            return;
        }
        if (step.kind != Step::Kind::Key && step.kind != Step::Kind::Index && step.kind != Step::Kind::Any &&
            !filterHolds)
            return;
        parent.reach.deepest = std::max(parent.reach.deepest, reach.deepest);
        if (reach.value) {
            parent.reach.value = std::move(reach.value);
            parent.decided = true;
        }
    }

    void keepInParent(Json&& value)
    {
        Frame& parent = m_frames.back();
        if (!parent.isObject) {
            parent.kept.get_ref<Json::array_t&>().push_back(std::move(value));
            return;
        }
        // Appended like JsonPage does, so a repeated name shows in the excerpt as it stands in the page.
        auto& members = static_cast<Json::object_t::Container&>(parent.kept.get_ref<Json::object_t&>());
        members.emplace_back(parent.key, std::move(value));
    }

    const JsonPath* m_path;
    std::vector<Frame> m_frames;
    size_t m_depth = 0;
    size_t m_skipDepth = 0;
    size_t m_keptNodes = 0;
    Reach m_found;
    Outcome m_outcome;
};

JsonPathStream::Outcome JsonPathStream::evaluate(std::string_view page, const JsonPath* path)
{
    Reader reader(path);
    if (Json::sax_parse(page.begin(), page.end(), &reader))
        return reader.take(0);
    return reader.take(reader.errorByte() != 0 ? reader.errorByte() : JsonPage::tooDeepByte(page));
}
