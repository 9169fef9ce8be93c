// Readable names for the cases of a parameterised test, as ctest lists them.
#pragma once

#include <cctype>
#include <optional>
#include <string>

namespace test_names {

// An environment value as a part of a test name: "unset" when it is not set,
// otherwise its text with '+' and '-' spelt out and every other character that
// a name cannot hold as '_'.
inline std::string value_part(const std::optional<std::string> &value) {
    if (!value) return "unset";
    if (value->empty()) return "empty";
    std::string part;
    for (const char ch : *value) {
        if (std::isalnum(static_cast<unsigned char>(ch)))
            part += ch;
        else if (ch == '+')
            part += "plus";
        else if (ch == '-')
            part += "minus";
        else
            part += '_';
    }
    return part;
}

// "LINES_30_COLUMNS_unset" for a layout size taken from the environment.
inline std::string size_name(const std::optional<std::string> &lines,
                             const std::optional<std::string> &columns) {
    return "LINES_" + value_part(lines) + "_COLUMNS_" + value_part(columns);
}

}  // namespace test_names
