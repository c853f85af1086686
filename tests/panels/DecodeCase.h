// One row of a panel's report-decoding table: the bytes a report sets and the
// actions its decoder must give for them, in order.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "contract/PanelBlocks.h"

template <class Action>
struct DecodeCase {
    const char* name;
    std::vector<std::pair<int, std::uint8_t>> changes;  // byte, value
    std::vector<std::pair<int, std::uint8_t>> status;
    std::vector<Action> expected;

    PanelChanges Changes() const {
        PanelChanges c{};
        for (auto [byte, value] : changes) c.bytes[byte] = value;
        return c;
    }
    PanelStatus Status() const {
        PanelStatus s{};
        for (auto [byte, value] : status) s.bytes[byte] = value;
        return s;
    }
};

// The row by its name where GoogleTest would otherwise print the row's raw
// bytes, pointers and all, into the test's listed name, which then differs
// from one listing to the next.
template <class Action>
void PrintTo(const DecodeCase<Action>& row, std::ostream* os) {
    *os << row.name;
}

// The row's name as a test name: anything but letters and digits becomes '_'.
template <class Action>
std::string DecodeCaseName(const ::testing::TestParamInfo<DecodeCase<Action>>& info) {
    std::string n;
    for (const char* c = info.param.name; *c; ++c) n += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return n;
}
