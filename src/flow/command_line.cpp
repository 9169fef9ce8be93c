// The command line: one optional argument whose second character chooses
// forced colour, monochrome or the version notice.
#include "flow/flow.h"

#include <cstdio>
#include <cstdlib>

Launch parse_command_line(int argc, const char *const argv[]) {
    if (argc == 1) return Launch::AUTO_COLOR;
    if (argc != 2 || argv[1][0] == '\0') return Launch::USAGE_ERROR;
    switch (argv[1][1]) {
    case 'c': return Launch::FORCE_COLOR;
    case 'm': return Launch::MONOCHROME;
    case 'v': return Launch::SHOW_VERSION;
    default: return Launch::USAGE_ERROR;
    }
}

// Ends the program, before curses starts, for a usage error or the version
// notice; does nothing when the game is to be played.
void handle_command_line(Launch launch) {
    if (launch == Launch::USAGE_ERROR) {
        std::fputs("usage: vegatrade [-v|c|m]\n", stderr);
        std::exit(1);
    }
    if (launch == Launch::SHOW_VERSION) {
        std::fprintf(stderr, "%s\n\n", version_banner());
        for (const char *line : NOTICE_LINES) std::fprintf(stderr, "%s\n", line);
        std::exit(1);
    }
}
