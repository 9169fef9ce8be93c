// Small games for the rules' tests: maps from support/map_fixture.h, a report
// read back as one line of text, and a generator that gives chosen draws.
// Nothing here draws: these tests link no curses.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/rules.h"
#include "support/map_fixture.h"

namespace rules_test {

using map_fixture::at;
using map_fixture::game_from_map;
using map_fixture::map_text;

// The events of a report in order, e.g. "merged B into A; split A; grew A".
inline std::string events_text(const MoveReport &report) {
    std::string text;
    for (int e = 0; e < report.event_count; ++e) {
        const Event &event = report.events[e];
        const std::string company(1, company_letter(event.company));
        if (!text.empty()) text += "; ";
        switch (event.kind) {
            case EventKind::OUTPOST: text += "outpost"; break;
            case EventKind::SITE_LOST: text += "site lost"; break;
            case EventKind::FOUNDED: text += "founded " + company; break;
            case EventKind::FOUNDING_SWALLOWED: text += "founding of " + company + " swallowed"; break;
            case EventKind::GREW: text += "grew " + company; break;
            case EventKind::MERGED:
                text += std::string("merged ") + company_letter(event.absorbed) + " into " + company;
                break;
            case EventKind::SPLIT: text += "split " + company; break;
            case EventKind::SWALLOWED: text += "swallowed " + company; break;
        }
    }
    return text;
}

// A generator that gives the values it was handed, in turn, and counts its
// draws; past its values it fails the test and gives the number of draws,
// so that a loop drawing until it finds something still ends.
struct ScriptedRandom {
    std::vector<int> values;
    std::size_t draws = 0;

    Random random() { return Random{draw, this}; }

    static int draw(void *state) {
        auto &self = *static_cast<ScriptedRandom *>(state);
        if (self.draws >= self.values.size()) {
            ADD_FAILURE() << "an unexpected draw from the generator";
            return static_cast<int>(self.draws++);
        }
        return self.values[self.draws++];
    }
};

}  // namespace rules_test
