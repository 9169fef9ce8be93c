// vegatrade_bench: plays the scripted games under each terminal type and
// reports what the game costs a terminal: bytes and changed cells per key
// and per game, how fast keys are answered, start-up time, memory and idle
// CPU, each against its target.
//
//   vegatrade_bench [--keys FILE] [--write-baseline FILE] [--no-idle]
//
// --keys writes one line per key (tab-separated) to FILE; --write-baseline
// writes the byte totals that the output guard test compares with.
#include <curses.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "perf/output_analysis.h"
#include "perf/scripted_games.h"

namespace {

using perf::KeyCost;
using perf::Micros;

constexpr double kByteRatioTarget = 1.5;
constexpr Micros kEscapeTarget{50000};

struct AnalysedKey {
    perf::KeyRecord record;
    KeyCost cost;
};

struct Totals {
    int keys = 0;
    std::size_t bytes = 0;
    std::size_t lower_bound = 0;
    long changed = 0;
    long rewritten = 0;
    long wasted = 0;
    long erased_unchanged = 0;
    std::array<std::size_t, perf::kByteKinds> by_kind{};
    std::vector<Micros> latencies;

    bool count_startup = false;

    void add(const AnalysedKey &key) {
        ++keys;
        bytes += key.cost.bytes;
        lower_bound += key.cost.lower_bound;
        changed += key.cost.changed_cells;
        rewritten += key.cost.rewritten_cells;
        wasted += key.cost.wasted_cells;
        erased_unchanged += key.cost.erased_unchanged;
        for (std::size_t k = 0; k < perf::kByteKinds; ++k) by_kind[k] += key.cost.by_kind[k];
        // The start-up has its own figure, and Escape's wait is measured to
        // the next prompt.
        if (key.record.context == "start" ? count_startup : key.record.label != "Esc" && key.cost.bytes > 0)
            latencies.push_back(key.record.latency);
    }
    double ratio() const {
        return lower_bound == 0 ? 0.0 : static_cast<double>(bytes) / static_cast<double>(lower_bound);
    }
};

// The nearest-rank percentile, in milliseconds.
double percentile_ms(std::vector<Micros> values, double p) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    auto rank = static_cast<std::size_t>(p / 100.0 * static_cast<double>(values.size()) + 0.999999);
    rank = std::clamp<std::size_t>(rank, 1, values.size());
    return static_cast<double>(values[rank - 1].count()) / 1000.0;
}

double ms(Micros value) { return static_cast<double>(value.count()) / 1000.0; }

std::vector<AnalysedKey> analyse(const perf::GameRun &run) {
    perf::OutputAnalysis screen(25, 80);
    std::vector<AnalysedKey> keys;
    for (const auto &record : run.keys) {
        keys.push_back(
            {record,
             screen.feed(std::string_view(run.output).substr(record.begin, record.end - record.begin))});
    }
    return keys;
}

// The first line of `path` that starts with `key`, less the key and any
// ':', '=', blanks or quotes around the value.
std::string line_value(const char *path, const std::string &key) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        const auto first = value.find_first_not_of(":= \t\"");
        const auto last = value.find_last_not_of(" \t\"");
        return first == std::string::npos ? "" : value.substr(first, last - first + 1);
    }
    return "?";
}

// Where the figures come from: the machine, its load, the libraries.
void print_machine() {
    utsname names{};
    uname(&names);
    std::ifstream loadavg("/proc/loadavg");
    std::string one = "?", five = "?", fifteen = "?";
    loadavg >> one >> five >> fifteen;
    const std::string load = one + " " + five + " " + fifteen;
    std::printf("Machine: %ld CPUs, %s; %s, Linux %s; load average %s; %s\n\n", sysconf(_SC_NPROCESSORS_ONLN),
                line_value("/proc/cpuinfo", "model name").c_str(),
                line_value("/etc/os-release", "PRETTY_NAME").c_str(), names.release, load.c_str(),
                curses_version());
}

// A key's label as one field of the tab-separated file.
std::string tsv_field(std::string_view label) {
    std::string out;
    for (char c : label) out += c == '\t' ? ' ' : c;
    return out;
}

}  // namespace

int main(int argc, char **argv) {
    std::string keys_file;
    std::string baseline_file;
    bool idle = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--keys") == 0 && i + 1 < argc) {
            keys_file = argv[++i];
        } else if (std::strcmp(argv[i], "--write-baseline") == 0 && i + 1 < argc) {
            baseline_file = argv[++i];
        } else if (std::strcmp(argv[i], "--no-idle") == 0) {
            idle = false;
        } else {
            std::fprintf(stderr, "usage: %s [--keys FILE] [--write-baseline FILE] [--no-idle]\n", argv[0]);
            return 2;
        }
    }

    std::ofstream keys_out;
    if (!keys_file.empty()) {
        keys_out.open(keys_file);
        keys_out << "game\tterm\tindex\tcontext\tkey\tbytes\tchanged\truns\tlower_bound\trewritten\t"
                    "wasted\terased_unchanged\tlatency_us";
        for (std::size_t k = 0; k < perf::kByteKinds; ++k)
            keys_out << '\t' << perf::byte_kind_name(static_cast<perf::ByteKind>(k));
        keys_out << '\n';
    }

    bool script_ok = true;
    std::vector<std::string> baseline;
    std::vector<std::string> misses;
    std::map<std::string, std::map<std::string, Totals>> by_context;  // term -> context
    std::map<std::string, std::vector<Micros>> escape_keys;           // term -> Escape to prompt

    print_machine();
    std::printf("## Games\n\n");
    std::printf(
        "| game | term | turns | exit | keys | bytes | changed cells | lower bound | bytes/bound |"
        " rewritten / wasted cells | key latency median / p99 ms (Escape aside) | Escape median / max ms | "
        "start-up ms |"
        " peak RSS at title / in game KiB | idle CPU us |\n");
    std::printf("|---|---|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    std::vector<std::pair<std::string, Totals>> kinds_rows;
    for (const auto &term : perf::terminal_types()) {
        for (const auto &game : perf::scripted_games()) {
            perf::PlayOptions options;
            options.measure = true;
            if (!idle) options.idle_turn = -1;
            const perf::GameRun run = perf::play(game, term, options);
            if (!run.failure.empty()) {
                std::fprintf(stderr, "%s under %s: %s\n", game.name.c_str(), term.c_str(),
                             run.failure.c_str());
                script_ok = false;
                continue;
            }
            const auto keys = analyse(run);
            Totals total;
            Totals repaint;
            for (std::size_t i = 0; i < keys.size(); ++i) {
                const auto &key = keys[i];
                (key.record.repaint ? repaint : total).add(key);
                const std::string context = key.record.repaint          ? "repaint (Ctrl-L)"
                                            : key.record.label == "Esc" ? "trade, Escape"
                                                                        : key.record.context;
                by_context[term][context].count_startup = true;
                by_context[term][context].add(key);
                if (keys_out) {
                    keys_out << game.name << '\t' << term << '\t' << i << '\t' << key.record.context << '\t'
                             << tsv_field(key.record.label) << '\t' << key.cost.bytes << '\t'
                             << key.cost.changed_cells << '\t' << key.cost.changed_runs << '\t'
                             << key.cost.lower_bound << '\t' << key.cost.rewritten_cells << '\t'
                             << key.cost.wasted_cells << '\t' << key.cost.erased_unchanged << '\t'
                             << key.record.latency.count();
                    for (auto n : key.cost.by_kind) keys_out << '\t' << n;
                    keys_out << '\n';
                }
            }
            const std::string status =
                run.status ? (run.status->code >= 0 ? std::to_string(run.status->code)
                                                    : "signal " + std::to_string(run.status->signal))
                           : "?";
            std::vector<Micros> escapes = run.escape_latency;
            escape_keys[term].insert(escape_keys[term].end(), escapes.begin(), escapes.end());
            const Micros escape_max =
                escapes.empty() ? Micros{0} : *std::max_element(escapes.begin(), escapes.end());
            std::printf(
                "| %s | %s | %d | %s | %zu | %zu | %ld | %zu | %.2f | %ld / %ld | %.2f / %.2f | %.1f / %.1f |"
                " %.1f | %lld / %lld | %lld |\n",
                game.name.c_str(), term.c_str(), run.turns, status.c_str(), keys.size() - 1,
                run.output.size(), total.changed, total.lower_bound, total.ratio(), total.rewritten,
                total.wasted, percentile_ms(total.latencies, 50), percentile_ms(total.latencies, 99),
                percentile_ms(escapes, 50), ms(escape_max), ms(run.startup), run.title_rss_kib,
                run.peak_rss_kib, static_cast<long long>(run.idle_cpu.count()));
            kinds_rows.emplace_back(game.name + " | " + term, total);
            baseline.push_back(game.name + " " + term + " " + std::to_string(keys.size() - 1) + " " +
                               std::to_string(run.output.size()));

            const std::string where = game.name + " under " + term;
            if (total.ratio() > kByteRatioTarget) {
                char text[160];
                std::snprintf(text, sizeof text, "%s: %.2f bytes per lower-bound byte (target %.1f)",
                              where.c_str(), total.ratio(), kByteRatioTarget);
                misses.push_back(text);
            }
            if (total.wasted > 0)
                misses.push_back(where + ": " + std::to_string(total.wasted) +
                                 " cells written again with what they held where no cursor move explains it"
                                 " (target 0, Ctrl-L aside)");
            if (escape_max > kEscapeTarget)
                misses.push_back(where + ": Escape answered in " + std::to_string(escape_max.count() / 1000) +
                                 " ms (target 50)");
            if (escapes.empty()) misses.push_back(where + ": no Escape latency measured");
            if (idle && run.idle_cpu != Micros{0})
                misses.push_back(where + ": " + std::to_string(run.idle_cpu.count()) +
                                 " us of CPU while idle for 2 s (target 0)");
        }
    }

    std::printf("\n## Bytes by kind (Ctrl-L aside)\n\n| game | term | bytes |");
    for (std::size_t k = 0; k < perf::kByteKinds; ++k)
        std::printf(" %s |", perf::byte_kind_name(static_cast<perf::ByteKind>(k)));
    std::printf("\n|---|---|---:|");
    for (std::size_t k = 0; k < perf::kByteKinds; ++k) std::printf("---:|");
    std::printf("\n");
    for (const auto &[name, total] : kinds_rows) {
        std::printf("| %s | %zu |", name.c_str(), total.bytes);
        for (auto n : total.by_kind) std::printf(" %zu |", n);
        std::printf("\n");
    }

    std::printf(
        "\n## Per key, by screen\n\n| term | screen | keys | bytes/key | changed/key | bytes/bound |"
        " rewritten / wasted cells | latency median / p99 ms |\n|---|---|---:|---:|---:|---:|---:|---:|\n");
    for (const auto &[term, contexts] : by_context) {
        for (const auto &[context, total] : contexts) {
            std::vector<Micros> latencies = total.latencies;
            if (context == "trade, Escape") latencies = escape_keys[term];
            std::printf("| %s | %s | %d | %.0f | %.1f | %.2f | %ld / %ld | %.2f / %.2f |\n", term.c_str(),
                        context.c_str(), total.keys, static_cast<double>(total.bytes) / total.keys,
                        static_cast<double>(total.changed) / total.keys, total.ratio(), total.rewritten,
                        total.wasted, percentile_ms(latencies, 50), percentile_ms(latencies, 99));
        }
    }

    std::printf("\n## Targets\n\n");
    if (misses.empty() && script_ok) std::printf("All targets met.\n");
    for (const auto &miss : misses) std::printf("- MISSED %s\n", miss.c_str());

    if (!baseline_file.empty()) {
        if (!script_ok) {
            std::fprintf(stderr, "not writing %s: a scripted game failed\n", baseline_file.c_str());
            return 1;
        }
        std::ofstream out(baseline_file);
        out << "# Bytes vegatrade writes to the terminal in each scripted game of tests/perf.\n"
               "# Written by `scripts/bench --write-baseline`; the output guard test fails when a\n"
               "# game writes more than 5% above its line here.\n"
               "# game term keys bytes\n";
        for (const auto &line : baseline) out << line << '\n';
        std::printf("\nBaseline written to %s\n", baseline_file.c_str());
    }
    return script_ok ? 0 : 1;
}
