// Helpers shared by the galaxy tests: maps written as their top rows (from
// support/map_fixture.h), the map cells of sectors, the general window's rows
// and the keys left unread.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "screens/screens.h"
#include "support/map_fixture.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace galaxy_test {

using map_fixture::at;
using map_fixture::map_text;

class GalaxyTest : public headless::CursesTest {
  protected:
    // Resolves a claimed sector with the rules alone (do_move, drawing from
    // rand(); no dividend is paid, as a whole turn would) and shows what
    // they report.
    MoveReport play_move(int pos) {
        MoveReport report;
        do_move(game, pos, c_library_random(), report);
        show_move(game, report);
        return report;
    }

    // Puts a map, given by its top rows, into the game the screens show.
    void load_map(const std::vector<std::string> &top) { map_fixture::load_map(game, top); }

    char map_char(int pos) const { return char_at(map_window, pos / 12 + 1, pos % 12 * 3 + 2); }
    attr_t map_attr(int pos) const { return attr_at(map_window, pos / 12 + 1, pos % 12 * 3 + 2); }

    // Every sector cell shows its galaxy symbol in the symbol's attribute.
    void expect_map_shows_galaxy() const {
        for (int pos = 0; pos < 120; ++pos) {
            EXPECT_EQ(map_char(pos), game.galaxy[pos]) << "pos " << pos;
            EXPECT_EQ(map_attr(pos), sector_attr(game.galaxy[pos]))
                << "pos " << pos << " '" << game.galaxy[pos] << "'";
        }
    }

    // The content columns of a general-window row, trailing blanks cut.
    std::string general_row(int row) const {
        std::string text = text_at(general_window, row, 1, getmaxx(general_window) - 2);
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }

    // A text as general_row shows it when the text starts at `column`.
    static std::string placed(int column, const std::string &text) {
        return std::string(static_cast<std::size_t>(column - 1), ' ') + text;
    }

    // The keys typed but not read by the code under test.
    std::string keys_left() {
        nodelay(stdscr, TRUE);
        std::string keys;
        for (int key = wgetch(stdscr); key != ERR; key = wgetch(stdscr)) keys += static_cast<char>(key);
        nodelay(stdscr, FALSE);
        return keys;
    }

    // The number of bytes curses sends to the terminal while `action` runs.
    // The fixture's terminal is /dev/null opened for writing, the last such
    // descriptor; it is pointed at a pipe for the time of the action.
    std::size_t bytes_sent(const std::function<void()> &action) {
        int terminal = -1;
        DIR *fds = opendir("/proc/self/fd");
        for (dirent *entry = readdir(fds); entry != nullptr; entry = readdir(fds)) {
            const int fd = std::atoi(entry->d_name);
            char link[64];
            char target[PATH_MAX] = {};
            std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
            if (fd <= 2 || readlink(link, target, sizeof target - 1) < 0) continue;
            if (std::strcmp(target, "/dev/null") == 0 && (fcntl(fd, F_GETFL) & O_ACCMODE) == O_WRONLY &&
                fd > terminal) {
                terminal = fd;
            }
        }
        closedir(fds);
        int sink[2];
        if (terminal < 0 || pipe(sink) != 0) {
            ADD_FAILURE() << "no terminal to watch";
            return 0;
        }
        fcntl(sink[0], F_SETPIPE_SZ, 1 << 20);
        const int saved = dup(terminal);
        dup2(sink[1], terminal);
        action();
        dup2(saved, terminal);
        close(saved);
        close(sink[1]);
        std::size_t total = 0;
        char buffer[4096];
        for (ssize_t n = read(sink[0], buffer, sizeof buffer); n > 0;
             n = read(sink[0], buffer, sizeof buffer)) {
            total += static_cast<std::size_t>(n);
        }
        close(sink[0]);
        return total;
    }

    // Types one key for each announcement the code under test should wait
    // for; keys_left() then tells whether it waited exactly that often.
    void type_waits(int waits) { type(std::string(static_cast<std::size_t>(waits), 'k')); }
};

}  // namespace galaxy_test
