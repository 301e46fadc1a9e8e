// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/JsonFields.h"

#include "tools/TextIntake.h"

#include "model/Windows1252.h"

#include <cmath>
#include <limits>

namespace {

constexpr std::string_view kNaN = "NaN";
constexpr std::string_view kInfinity = "Infinity";
constexpr std::string_view kMinusInfinity = "-Infinity";

} // namespace

Json textToJson(std::string_view windows1252) {
    return Json(cp1252::toUtf8(windows1252));
}

Json doubleToJson(double value) {
    if (std::isnan(value)) {
        return Json(kNaN);
    }
    if (std::isinf(value)) {
        return Json(value > 0 ? kInfinity : kMinusInfinity);
    }
    return Json(value); // printed as the shortest text that reads back to the same double
}

Json dateToJson(const OleDate& date) {
    Json object = Json::object();
    object["status"] = date.status;
    object["value"] = doubleToJson(date.value);
    return object;
}

void JsonField::fail(const std::string& problem) const {
    throw JsonShapeError((m_location.empty() ? std::string("the top level") : m_location) + ": " + problem);
}

JsonField JsonField::member(std::string_view key) const {
    if (!m_value->is_object()) {
        fail("expected an object");
    }
    const auto found = m_value->find(key);
    if (found == m_value->end()) {
        fail("the member \"" + std::string(key) + "\" is missing");
    }
    return JsonField(*found, m_location.empty() ? std::string(key) : m_location + '.' + std::string(key));
}

bool JsonField::has(std::string_view key) const {
    return m_value->is_object() && m_value->contains(key);
}

const Json& JsonField::array() const {
    if (!m_value->is_array()) {
        fail("expected an array");
    }
    return *m_value;
}

std::vector<JsonField> JsonField::elements(std::size_t maxCount) const {
    const Json& values = array();
    if (values.size() > maxCount) {
        fail(std::to_string(values.size()) + " entries, the most a file can hold is " + std::to_string(maxCount));
    }
    std::vector<JsonField> fields;
    fields.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        fields.emplace_back(values[i], m_location + '[' + std::to_string(i) + ']');
    }
    return fields;
}

std::vector<JsonField> JsonField::exactElements(std::size_t count) const {
    if (array().size() != count) {
        fail("expected exactly " + std::to_string(count) + " entries");
    }
    return elements(count);
}

std::int32_t JsonField::asInt32() const {
    constexpr auto kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr auto kHighest = std::numeric_limits<std::int32_t>::max();
    if (m_value->is_number_unsigned()) {
        const auto value = m_value->get<std::uint64_t>();
        if (value <= static_cast<std::uint64_t>(kHighest)) {
            return static_cast<std::int32_t>(value);
        }
    } else if (m_value->is_number_integer()) {
        const auto value = m_value->get<std::int64_t>();
        if (value >= kLowest && value <= kHighest) {
            return static_cast<std::int32_t>(value);
        }
    }
    fail("expected an integer from -2147483648 to 2147483647");
}

std::string JsonField::asText() const {
    if (!m_value->is_string()) {
        fail("expected a string");
    }
    const auto& text = m_value->get_ref<const std::string&>();
    if (!textintake::replacing() && !cp1252::holdsUtf8(text)) {
        fail(cp1252::refusal("this text") + " Nothing was written (" + std::string(textintake::kReplaceOption) +
             " stores such characters as \"?\").");
    }
    return cp1252::fromUtf8(text);
}

double JsonField::asDouble() const {
    if (m_value->is_number()) {
        return m_value->get<double>();
    }
    if (m_value->is_string()) {
        const auto& text = m_value->get_ref<const std::string&>();
        if (text == kNaN) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        if (text == kInfinity) {
            return std::numeric_limits<double>::infinity();
        }
        if (text == kMinusInfinity) {
            return -std::numeric_limits<double>::infinity();
        }
    }
    fail("expected a number, \"NaN\", \"Infinity\" or \"-Infinity\"");
}

OleDate JsonField::asDate() const {
    OleDate date;
    date.status = member("status").asInt32();
    date.value = member("value").asDouble();
    return date;
}
