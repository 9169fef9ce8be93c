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
        // TRANSLATORS: the command and its options stay as they are.
        write_visible(stderr, _("usage: vegatrade [-v|c|m]\n"));
        std::exit(1);
    }
    if (launch == Launch::SHOW_VERSION) {
        write_visible(stderr, version_banner());
        std::fputs("\n\n", stderr);
        for (const char *line : NOTICE_LINES) {
            write_visible(stderr, _(line));
            std::fputc('\n', stderr);
        }
        std::exit(1);
    }
}
