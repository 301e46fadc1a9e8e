// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Archive.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The JSON values kvtool reads and writes, and the conventions they share:
// texts are the files' Windows-1252 bytes shown as Unicode (losslessly, each byte one character);
// integers are signed 32-bit; doubles are printed so that they read back to the same value, with
// "NaN", "Infinity" and "-Infinity" for values that are not finite; dates are
// {"status": integer, "value": double}.

using Json = nlohmann::ordered_json; // keeps members in the documented order

Json textToJson(std::string_view windows1252);
Json doubleToJson(double value);
Json dateToJson(const OleDate& date);

// The JSON describes something the files cannot hold, or lacks a member, or has one of the
// wrong type. The message names the place, e.g. "framework.behaviours[2].scale: expected an integer".
class JsonShapeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One value of a JSON document together with where it stands in it, for messages.
class JsonField {
public:
    JsonField(const Json& value, std::string location) : m_value(&value), m_location(std::move(location)) {}

    // The member of an object; missing members and non-objects are errors.
    JsonField member(std::string_view key) const;
    // Whether an object has the member (for the few members that may be left out).
    bool has(std::string_view key) const;
    // The elements of an array of at most maxCount entries.
    std::vector<JsonField> elements(std::size_t maxCount) const;
    // The elements of an array of exactly `count` entries.
    std::vector<JsonField> exactElements(std::size_t count) const;

    std::int32_t asInt32() const;
    std::string asText() const; // as Windows-1252 bytes; a character outside it fails (see TextIntake.h)
    double asDouble() const;
    OleDate asDate() const;

    const std::string& location() const { return m_location; }
    [[noreturn]] void fail(const std::string& problem) const;

private:
    const Json& array() const;

    const Json* m_value;
    std::string m_location;
};
