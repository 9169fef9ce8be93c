// The record of a game, filled turn by turn from the move reports and the
// trades. (Rules; src/screens/record_text.cpp words its lines.)
#include "rules/record.h"

namespace {

void add_line(GameRecord &record, const Game &game, Deed deed, int pos, int company, int absorbed,
              int shares) {
    const RecordLine line{record.turns,
                          deed,
                          static_cast<std::int8_t>(game.current_player),
                          static_cast<std::uint8_t>(pos),
                          static_cast<std::int8_t>(company),
                          static_cast<std::int8_t>(absorbed),
                          shares};
    if (record.count == RECORD_CAPACITY) {
        record.lines[record.oldest] = line;
        record.oldest = (record.oldest + 1) % RECORD_CAPACITY;
        ++record.forgotten;
        return;
    }
    record.lines[(record.oldest + record.count) % RECORD_CAPACITY] = line;
    ++record.count;
}

// The deed of an event that tells what became of the claimed sector itself,
// or false for one that it set off (a merger, a split, a black hole).
bool claim_deed(EventKind kind, Deed &deed) {
    switch (kind) {
        case EventKind::OUTPOST: deed = Deed::OUTPOST; return true;
        case EventKind::SITE_LOST: deed = Deed::SITE_LOST; return true;
        case EventKind::FOUNDED: deed = Deed::FOUNDED; return true;
        case EventKind::FOUNDING_SWALLOWED: deed = Deed::FOUNDING_SWALLOWED; return true;
        case EventKind::GREW: deed = Deed::JOINED; return true;
        case EventKind::MERGED: deed = Deed::MERGED; return false;
        case EventKind::SPLIT: deed = Deed::SPLIT; return false;
        case EventKind::SWALLOWED: deed = Deed::SWALLOWED; return false;
    }
    return false;
}

// Every player's worth now, into `point`.
void take_worths(WorthPoint &point, const Game &game) {
    for (int p = 0; p < MAX_PLAYERS; ++p) point.worth[p] = p < game.num_players ? net_worth(game, p) : 0;
}

// Every second point gives way: those kept stand twice as many turns apart,
// each marked with the mergers of the turns it now stands for.
void thin_points(GameRecord &record) {
    const int step = 2 * record.point_step;
    int kept = 0;
    bool merger = false;
    for (int k = 0; k < record.point_count; ++k) {
        merger = merger || record.points[k].merger;
        if (record.points[k].turn % step != 0) continue;
        record.points[kept] = record.points[k];
        record.points[kept++].merger = merger;
        merger = false;
    }
    record.point_count = kept;
    record.point_step = step;
}

// The worths after turn `record.turns`: a point of its own, or in place of
// the last point while that one stands between two kept steps.
void add_point(GameRecord &record, const Game &game, bool merger) {
    if (record.point_step < 1) record.point_step = 1;
    WorthPoint *last = record.point_count > 0 ? &record.points[record.point_count - 1] : nullptr;
    if (last != nullptr && last->turn % record.point_step != 0) {
        last->turn = record.turns;
        last->merger = last->merger || merger;
        take_worths(*last, game);
        return;
    }
    if (record.point_count == WORTH_POINTS) thin_points(record);
    WorthPoint &point = record.points[record.point_count++];
    point.turn = record.turns;
    point.merger = merger;
    take_worths(point, game);
}

}  // namespace

void clear_record(GameRecord &record) {
    record.oldest = 0;
    record.count = 0;
    record.turns = 0;
    record.forgotten = 0;
    record.point_count = 0;
    record.point_step = 1;
}

void record_claim(GameRecord &record, const Game &game, const MoveReport &report) {
    ++record.turns;
    Deed deed = Deed::OUTPOST;
    for (int e = 0; e < report.event_count; ++e) {
        const Event &event = report.events[e];
        if (claim_deed(event.kind, deed)) add_line(record, game, deed, report.pos, event.company, -1, 0);
    }
    bool merger = false;
    for (int e = 0; e < report.event_count; ++e) {
        const Event &event = report.events[e];
        if (!claim_deed(event.kind, deed))
            add_line(record, game, deed, report.pos, event.company, event.absorbed, 0);
        merger = merger || event.kind == EventKind::MERGED;
    }
    add_point(record, game, merger);
}

void record_trade(GameRecord &record, const Game &game, int company, int amount) {
    if (amount == 0) return;
    const bool bought = amount > 0;
    // The most that can be sold is what is held, at most INT_MAX: -amount fits.
    const int shares = bought ? amount : -amount;
    const int pos = record.count > 0 ? record_line(record, record.count - 1).pos : 0;
    add_line(record, game, bought ? Deed::BOUGHT : Deed::SOLD, pos, company, -1, shares);
    if (record.point_count > 0) take_worths(record.points[record.point_count - 1], game);
}

const RecordLine &record_line(const GameRecord &record, int index) {
    return record.lines[(record.oldest + index) % RECORD_CAPACITY];
}

const WorthPoint &worth_point(const GameRecord &record, int index) { return record.points[index]; }
