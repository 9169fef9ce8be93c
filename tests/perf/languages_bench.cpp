// vegatrade_languages: what the catalogs cost and how tightly their texts
// sit. For English and each language of po/LINGUAS it reports the text that
// comes nearest its room on the screen (the room its comment for
// translators gives, counted without figures and names), and how many pass
// their room; then the start-up to the complete title screen, the CPU time
// it takes and the peak memory, in English (no catalog loaded) and in each
// language (its catalog loaded), as medians of interleaved runs.
//
//   vegatrade_languages [--runs N]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/catalog.h"
#include "support/terminal.h"
#include "terminal/text.h"

namespace {

using Clock = std::chrono::steady_clock;

// A message without its printf directives: what it shows besides figures
// and names.
std::string without_directives(const std::string &text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && std::strchr("-+ #0123456789.", text[end]) != nullptr) ++end;
        if (end < text.size() && text[end] == '%') out += '%';
        i = end;
    }
    return out;
}

// The columns of a text's widest line, without its directives.
int widest_line(const std::string &text) {
    int widest = 0;
    for (const std::string &line : e2e::lines_of(without_directives(text))) {
        widest = std::max(widest, text_width(line.c_str()));
    }
    return widest;
}

std::string shown(const std::string &text) {
    std::string one_line = text.substr(0, text.find('\n'));
    if (one_line.size() < text.size()) one_line += "...";
    return "\"" + one_line + "\"";
}

void report_rooms(const std::vector<std::string> &languages) {
    const e2e::Catalog english("");
    std::printf("## The tightest text against its room\n\n");
    std::printf("Each text with a room in its comment for translators (%zu of them), in screen columns\n",
                english.rooms().size());
    std::printf("without its figures and names; a wide character takes two.\n\n");
    std::printf("| language | the tightest text | columns / room | texts over their room |\n");
    std::printf("|---|---|---:|---:|\n");
    for (const std::string &language : languages) {
        const e2e::Catalog catalog(language);
        std::string tightest;
        int tightest_width = 0;
        int tightest_room = 1;
        int over = 0;
        for (const auto &[msgid, room] : english.rooms()) {
            const std::string &text = catalog.tr(msgid);
            const int width = widest_line(text);
            if (width > room) ++over;
            // The nearest its room: the least to spare, then the fullest.
            const int spare = room - width;
            const int best_spare = tightest_room - tightest_width;
            if (tightest.empty() || spare < best_spare ||
                (spare == best_spare && width * tightest_room > tightest_width * room)) {
                tightest = text;
                tightest_width = width;
                tightest_room = room;
            }
        }
        std::printf("| %s | %s | %d / %d | %d |\n", language.empty() ? "English" : language.c_str(),
                    shown(tightest).c_str(), tightest_width, tightest_room, over);
    }
}

long long peak_rss_kib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atoll(line.c_str() + 6);
    }
    return 0;
}

// One start: from starting the game to its complete title screen waiting
// for the number of players, then Ctrl-C.
struct Start {
    double ms = 0;
    double cpu_ms = 0;
    long long rss_kib = 0;
};

bool start_once(const std::string &language, Start &start) {
    e2e::Options options;
    options.env["LANG"] = "C.UTF-8";
    if (!language.empty()) options.env["LANGUAGE"] = language;
    const auto began = Clock::now();
    e2e::Terminal t(options);
    if (!t.wait_for_key_request()) return false;
    start.ms = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
    start.cpu_ms = static_cast<double>(t.cpu_time().count()) / 1000.0;
    start.rss_kib = peak_rss_kib(t.pid());
    t.type("\x03");
    return t.wait_exit().has_value();
}

template <class T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string change(double value, double base) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f%%", base == 0 ? 0.0 : 100.0 * (value - base) / base);
    return text;
}

bool report_startup(const std::vector<std::string> &languages, int runs) {
    std::vector<std::vector<Start>> starts(languages.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t l = 0; l < languages.size(); ++l) {
            Start start;
            if (!start_once(languages[l], start)) {
                std::fprintf(stderr, "vegatrade_languages: the game did not start in %s\n",
                             languages[l].empty() ? "English" : languages[l].c_str());
                return false;
            }
            starts[l].push_back(start);
        }
    }
    std::printf("\n## Start-up with and without a catalog\n\n");
    std::printf("To the complete title screen under LANG=C.UTF-8, English without LANGUAGE (no catalog\n");
    std::printf("loaded), each language with LANGUAGE set to it; medians of %d interleaved runs.\n\n", runs);
    std::printf(
        "| language | start-up ms | CPU ms | peak RSS KiB | against English (start-up / CPU / RSS) |\n");
    std::printf("|---|---:|---:|---:|---|\n");
    std::vector<double> base;
    for (std::size_t l = 0; l < languages.size(); ++l) {
        std::vector<double> ms;
        std::vector<double> cpu;
        std::vector<long long> rss;
        for (const Start &s : starts[l]) {
            ms.push_back(s.ms);
            cpu.push_back(s.cpu_ms);
            rss.push_back(s.rss_kib);
        }
        const double m = median(ms);
        const double c = median(cpu);
        const auto r = static_cast<double>(median(rss));
        if (l == 0) base = {m, c, r};
        std::printf(
            "| %s | %.1f | %.1f | %.0f | %s |\n", languages[l].empty() ? "English" : languages[l].c_str(), m,
            c, r,
            l == 0 ? ""
                   : (change(m, base[0]) + " / " + change(c, base[1]) + " / " + change(r, base[2])).c_str());
    }
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    int runs = 201;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: vegatrade_languages [--runs N]\n");
            return 2;
        }
    }
    std::setlocale(LC_CTYPE, "C.UTF-8");
    std::vector<std::string> languages = {""};
    for (const std::string &language : e2e::catalog_languages()) languages.push_back(language);
    report_rooms(languages);
    return report_startup(languages, runs) ? 0 : 1;
}
