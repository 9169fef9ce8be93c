// The code map: the folders of src/ include one another only as the layers
// allow and as docs/code-map.md lists, no two files of the game share a name,
// and the lines per file it publishes are those of the files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The layers, whatever the code map says: what each folder may include at
// most. The rules and the terminal layer are both at the bottom and know
// nothing of each other; the computer plays on the rules alone; the screens
// stand on all three; the game's flow on everything. An include outside this
// is a fault even if the code map lists it.
const std::map<std::string, std::set<std::string>> LAYERS = {
    {"rules", {"rules"}},
    {"terminal", {"terminal"}},
    {"computer", {"rules", "computer"}},
    {"screens", {"rules", "computer", "terminal", "screens"}},
    {"flow", {"rules", "computer", "terminal", "screens", "flow"}},
};

// Folder -> the folders its files include.
using Arrows = std::map<std::string, std::set<std::string>>;

// One `#include "..."` line: the including file relative to src/, its line
// number and what it names.
struct Include {
    std::string file;
    int line;
    std::string target;
};

std::string folder_of(const std::string &path) {
    const std::size_t slash = path.find('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string read_text(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The files under src/ but its build file, relative to it and sorted.
std::vector<std::string> source_files(const fs::path &src) {
    std::vector<std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        if (name == "CMakeLists.txt") continue;
        files.push_back(fs::relative(entry.path(), src).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::set<std::string> folders_of(const std::vector<std::string> &files) {
    std::set<std::string> folders;
    for (const std::string &file : files) folders.insert(folder_of(file));
    return folders;
}

// The name between the quotes of an `#include "..."` line, or "" for any other line.
std::string quoted_include(const std::string &line) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') return "";
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) return "";
    at = line.find_first_not_of(" \t", at + 7);
    if (at == std::string::npos || line[at] != '"') return "";
    const std::size_t end = line.find('"', at + 1);
    return end == std::string::npos ? "" : line.substr(at + 1, end - at - 1);
}

std::vector<Include> read_includes(const fs::path &src, const std::vector<std::string> &files) {
    std::vector<Include> includes;
    for (const std::string &file : files) {
        std::istringstream text(read_text(src / file));
        std::string line;
        for (int number = 1; std::getline(text, line); ++number) {
            const std::string name = quoted_include(line);
            if (!name.empty()) includes.push_back({file, number, name});
        }
    }
    return includes;
}

// A folder's name as the arrow list writes it: lower-case letters only.
bool folder_word(const std::string &word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string trimmed(const std::string &text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The arrow list: lines such as "screens -> rules, computer, terminal, screens".
Arrows read_arrows(const std::string &doc) {
    Arrows arrows;
    std::istringstream text(doc);
    std::string line;
    while (std::getline(text, line)) {
        const std::size_t arrow = line.find("->");
        if (arrow == std::string::npos) continue;
        const std::string from = trimmed(line.substr(0, arrow));
        if (!folder_word(from)) continue;
        std::set<std::string> to;
        std::istringstream list(line.substr(arrow + 2));
        std::string folder;
        bool well_formed = true;
        while (std::getline(list, folder, ',')) {
            folder = trimmed(folder);
            well_formed = well_formed && folder_word(folder);
            to.insert(folder);
        }
        if (well_formed && !to.empty()) arrows[from].insert(to.begin(), to.end());
    }
    return arrows;
}

// What is wrong with the includes against the layers and the arrow list, a
// message each.
std::vector<std::string> include_faults(const std::set<std::string> &folders,
                                        const std::vector<Include> &includes, const Arrows &arrows) {
    std::vector<std::string> faults;
    for (const std::string &folder : folders) {
        if (LAYERS.count(folder) == 0) faults.push_back("src/" + folder + " is in no layer");
        if (arrows.count(folder) == 0) faults.push_back("the code map has no arrow line for " + folder);
    }
    for (const auto &[from, to] : arrows) {
        if (folders.count(from) == 0)
            faults.push_back("the code map lists " + from + ", which src/ does not have");
        const auto layer = LAYERS.find(from);
        for (const std::string &target : to) {
            if (layer != LAYERS.end() && layer->second.count(target) == 0) {
                faults.push_back("the code map lets " + from + " include " + target + ", against the layers");
            }
        }
    }
    Arrows used;
    for (const Include &include : includes) {
        const std::string where = "src/" + include.file + ":" + std::to_string(include.line);
        const std::string from = folder_of(include.file);
        const std::string target = folder_of(include.target);
        if (target.empty()) {
            faults.push_back(where + " includes \"" + include.target + "\" without its folder");
            continue;
        }
        used[from].insert(target);
        const auto layer = LAYERS.find(from);
        if (layer != LAYERS.end() && layer->second.count(target) == 0) {
            faults.push_back(where + " includes " + include.target + ": " + from + " may never include " +
                             target);
            continue;
        }
        const auto listed = arrows.find(from);
        if (listed != arrows.end() && listed->second.count(target) == 0) {
            faults.push_back(where + " includes " + include.target + ", but the code map does not list " +
                             from + " -> " + target);
        }
    }
    for (const auto &[from, to] : arrows) {
        for (const std::string &target : to) {
            if (used[from].count(target) == 0) {
                faults.push_back("the code map lists " + from + " -> " + target + ", which no file of src/" +
                                 from + " includes");
            }
        }
    }
    return faults;
}

std::string joined(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &line : lines) text += line + "\n";
    return text;
}

// Every folder/file a file reaches through its `#include "..."` lines and
// theirs in turn, given each file's includes.
std::set<std::string> reached_includes(const std::vector<Include> &includes, const std::string &file) {
    std::map<std::string, std::vector<std::string>> by_file;
    for (const Include &include : includes) by_file[include.file].push_back(include.target);
    std::set<std::string> reached;
    std::vector<std::string> todo = {file};
    while (!todo.empty()) {
        const std::string next = todo.back();
        todo.pop_back();
        for (const std::string &target : by_file[next]) {
            if (reached.insert(target).second) todo.push_back(target);
        }
    }
    return reached;
}

// The files of the folder `folder` among `reached`, a line each.
std::string files_in(const std::set<std::string> &reached, const std::string &folder) {
    std::string found;
    for (const std::string &file : reached) {
        if (folder_of(file) == folder) found += file + "\n";
    }
    return found;
}

// C++ text without its comments, string and character literals and
// preprocessor lines, so that only code is left.
std::string code_only(const std::string &text) {
    std::string code;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool line_start = code.empty() || code.back() == '\n';
        if (line_start && text.find_first_not_of(" \t", i) < text.size() &&
            text[text.find_first_not_of(" \t", i)] == '#') {
            i = text.find('\n', i);
            if (i == std::string::npos) break;
            code += '\n';
        } else if (text.compare(i, 2, "//") == 0) {
            i = text.find('\n', i);
            if (i == std::string::npos) break;
            code += '\n';
        } else if (text.compare(i, 2, "/*") == 0) {
            i = text.find("*/", i + 2);
            if (i == std::string::npos) break;
            ++i;
            code += ' ';
        } else if (c == '"' || c == '\'') {
            for (++i; i < text.size() && text[i] != c; ++i) {
                if (text[i] == '\\') ++i;
            }
            code += ' ';
        } else {
            code += c;
        }
    }
    return code;
}

// The types that hold the game being played or its record.
const std::set<std::string> GAME_TYPES = {"Game", "GameRecord", "Table", "Match"};

// The words and marks of a statement: names, "::", and one character each
// for every other mark.
std::vector<std::string> tokens_of(const std::string &statement) {
    std::vector<std::string> tokens;
    for (std::size_t i = 0; i < statement.size();) {
        const char c = statement[i];
        const auto word_char = [](char x) { return std::isalnum(static_cast<unsigned char>(x)) || x == '_'; };
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (word_char(c)) {
            std::size_t end = i;
            while (end < statement.size() && word_char(statement[end])) ++end;
            tokens.push_back(statement.substr(i, end - i));
            i = end;
        } else if (statement.compare(i, 2, "::") == 0) {
            tokens.emplace_back("::");
            i += 2;
        } else {
            tokens.emplace_back(1, c);
            ++i;
        }
    }
    return tokens;
}

// Whether a statement declares a variable of a game's type, or a pointer or
// reference to one, static (or thread_local) when `must_be_static`.
bool declares_game(const std::string &statement, bool must_be_static) {
    const std::vector<std::string> tokens = tokens_of(statement);
    const std::set<std::string> qualifiers = {"static",    "extern",    "inline", "thread_local",
                                              "constinit", "constexpr", "const",  "volatile"};
    std::size_t k = 0;
    bool is_static = false;
    for (; k < tokens.size() && qualifiers.count(tokens[k]) != 0; ++k) {
        is_static = is_static || tokens[k] == "static" || tokens[k] == "thread_local";
    }
    if (must_be_static && !is_static) return false;
    if (k < tokens.size() && tokens[k] == "::") ++k;
    if (k >= tokens.size() || GAME_TYPES.count(tokens[k]) == 0) return false;
    for (++k; k < tokens.size() && (tokens[k] == "const" || tokens[k] == "*" || tokens[k] == "&"); ++k) {
    }
    if (k >= tokens.size() ||
        !(std::isalpha(static_cast<unsigned char>(tokens[k][0])) || tokens[k][0] == '_'))
        return false;
    ++k;
    while (k < tokens.size() && tokens[k] == "[") {
        while (k < tokens.size() && tokens[k] != "]") ++k;
        if (k < tokens.size()) ++k;
    }
    return k == tokens.size() || tokens[k] == "=" || tokens[k] == ",";
}

// Whether a statement ending at '{' opens a namespace (or an extern "C" block).
bool opens_namespace(const std::string &statement) {
    const std::vector<std::string> tokens = tokens_of(statement);
    if (tokens.size() == 1 && tokens[0] == "extern") return true;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        if (tokens[k] != "namespace") continue;
        bool only_names = true;
        for (std::size_t after = k + 1; after < tokens.size(); ++after) {
            only_names = only_names && (tokens[after] == "::" ||
                                        std::isalpha(static_cast<unsigned char>(tokens[after][0])) ||
                                        tokens[after][0] == '_');
        }
        if (only_names) return true;
    }
    return false;
}

// Each declaration of `code` that makes a variable of a game's type (or a
// pointer or reference to one) outlive the call it is in: at namespace
// scope, or static anywhere. A message each, with its line.
std::vector<std::string> global_games(const std::string &file, const std::string &code) {
    std::vector<std::string> faults;
    std::vector<bool> namespaces = {true};  // per open brace: a namespace's
    std::vector<std::string> statements = {""};
    int line = 1;
    const auto check = [&] {
        const std::string &statement = statements.back();
        const bool found = declares_game(statement, !namespaces.back());
        if (found) faults.push_back(file + ":" + std::to_string(line) + ": " + trimmed(statement));
    };
    for (const char c : code) {
        if (c == '\n') {
            ++line;
            statements.back() += ' ';
        } else if (c == ';') {
            check();
            statements.back().clear();
        } else if (c == '{') {
            check();
            namespaces.push_back(opens_namespace(statements.back()));
            statements.emplace_back();
        } else if (c == '}') {
            if (namespaces.size() > 1) {
                namespaces.pop_back();
                statements.pop_back();
            }
            statements.back().clear();
        } else {
            statements.back() += c;
        }
    }
    return faults;
}

// The faults the check finds, and misses, on small made-up trees: one valid
// tree, then one wrong include or arrow at a time.
TEST(CodeMap, CheckFindsEachWrongInclude) {
    const std::set<std::string> folders = {"rules", "computer", "terminal", "screens", "flow"};
    const std::vector<Include> valid = {
        {"rules/move.cpp", 1, "rules/rules.h"},          {"computer/computer.cpp", 1, "computer/computer.h"},
        {"computer/computer.h", 1, "rules/game.h"},      {"terminal/window.cpp", 1, "terminal/terminal.h"},
        {"screens/map.cpp", 1, "screens/screens.h"},     {"screens/screens.h", 1, "rules/rules.h"},
        {"screens/screens.h", 2, "terminal/terminal.h"}, {"flow/main.cpp", 1, "flow/flow.h"},
        {"flow/flow.h", 1, "screens/screens.h"},
    };
    const Arrows arrows = {
        {"rules", {"rules"}},          {"computer", {"rules", "computer"}},
        {"terminal", {"terminal"}},    {"screens", {"rules", "terminal", "screens"}},
        {"flow", {"screens", "flow"}},
    };
    ASSERT_EQ(joined(include_faults(folders, valid, arrows)), "");

    struct Case {
        Include include;
        std::string fault;  // a part of the one message expected
    } const cases[] = {
        {{"rules/merge.cpp", 7, "screens/screens.h"},
         "src/rules/merge.cpp:7 includes screens/screens.h: rules may never include screens"},
        {{"rules/game.h", 3, "terminal/terminal.h"}, "rules may never include terminal"},
        {{"terminal/pause.cpp", 2, "screens/screens.h"}, "terminal may never include screens"},
        {{"terminal/line_editor.cpp", 2, "rules/game.h"}, "terminal may never include rules"},
        {{"terminal/terminal.h", 9, "flow/flow.h"}, "terminal may never include flow"},
        {{"terminal/terminal.cpp", 4, "computer/computer.h"}, "terminal may never include computer"},
        {{"computer/computer.cpp", 5, "screens/screens.h"}, "computer may never include screens"},
        {{"computer/computer.cpp", 6, "terminal/terminal.h"}, "computer may never include terminal"},
        {{"screens/quit_question.cpp", 3, "flow/flow.h"}, "screens may never include flow"},
        {{"screens/trading.cpp", 4, "computer/computer.h"}, "the code map does not list screens -> computer"},
        {{"screens/trading.cpp", 4, "report.h"}, "includes \"report.h\" without its folder"},
    };
    for (const Case &c : cases) {
        std::vector<Include> includes = valid;
        includes.push_back(c.include);
        const std::vector<std::string> faults = include_faults(folders, includes, arrows);
        ASSERT_EQ(faults.size(), 1u) << c.fault << "\n" << joined(faults);
        EXPECT_NE(faults[0].find(c.fault), std::string::npos) << faults[0];
    }

    struct ArrowCase {
        Arrows arrows;
        std::string fault;
    } const arrow_cases[] = {
        {[&] {
             Arrows a = arrows;
             a["flow"].insert("computer");
             return a;
         }(),
         "the code map lists flow -> computer, which no file of src/flow includes"},
        {[&] {
             Arrows a = arrows;
             a.erase("terminal");
             return a;
         }(),
         "the code map has no arrow line for terminal"},
        {[&] {
             Arrows a = arrows;
             a["market"] = {"market"};
             return a;
         }(),
         "the code map lists market, which src/ does not have"},
        {[&] {
             Arrows a = arrows;
             a["rules"].insert("screens");
             return a;
         }(),
         "the code map lets rules include screens, against the layers"},
    };
    for (const ArrowCase &c : arrow_cases) {
        const std::string faults = joined(include_faults(folders, valid, c.arrows));
        EXPECT_NE(faults.find(c.fault), std::string::npos) << c.fault << "\n" << faults;
    }
}

const fs::path SOURCE_DIR = VEGATRADE_SOURCE_DIR;
const fs::path CODE_MAP = SOURCE_DIR / "docs" / "code-map.md";

TEST(CodeMap, IncludesFollowTheLayersAndTheArrowList) {
    const fs::path src = SOURCE_DIR / "src";
    const std::vector<std::string> files = source_files(src);
    ASSERT_FALSE(files.empty());
    const Arrows arrows = read_arrows(read_text(CODE_MAP));
    ASSERT_FALSE(arrows.empty()) << "no arrow list in " << CODE_MAP;
    EXPECT_EQ(joined(include_faults(folders_of(files), read_includes(src, files), arrows)), "");
}

// The person's screens, the move prompt and the trading dialog, know
// nothing of the computer: the computer's seat plays through what they
// expose. Followed through every header they include, as a call needs no
// include of its own once a header brings it.
TEST(CodeMap, ThePersonsPromptsKnowNothingOfTheComputer) {
    const std::vector<Include> made_up = {
        {"screens/move_prompt.cpp", 1, "screens/screens.h"},
        {"screens/screens.h", 1, "rules/record.h"},
        {"screens/seats.h", 1, "computer/strength.h"},
        {"computer/strength.h", 1, "computer/computer.h"},
    };
    EXPECT_EQ(files_in(reached_includes(made_up, "screens/move_prompt.cpp"), "computer"), "");
    std::vector<Include> through_a_header = made_up;
    through_a_header.push_back({"screens/screens.h", 2, "screens/seats.h"});
    EXPECT_EQ(files_in(reached_includes(through_a_header, "screens/move_prompt.cpp"), "computer"),
              "computer/computer.h\ncomputer/strength.h\n");

    const fs::path src = SOURCE_DIR / "src";
    const std::vector<Include> includes = read_includes(src, source_files(src));
    for (const char *file : {"screens/move_prompt.cpp", "screens/trading.cpp"}) {
        ASSERT_TRUE(fs::exists(src / file)) << file;
        EXPECT_EQ(files_in(reached_includes(includes, file), "computer"), "")
            << "src/" << file << " reaches these";
    }
}

// The faults the check of global games finds, and misses, in made-up code.
TEST(CodeMap, CheckFindsEachGlobalGame) {
    struct Case {
        const char *code;
        bool global;
    } const cases[] = {
        {"Game game{};", true},
        {"extern Game game;", true},
        {"GameRecord game_record = {};", true},
        {"namespace {\nTable table;\n}  // namespace", true},
        {"namespace a::b {\nstatic const Game *shown = nullptr;\n}", true},
        {"const Game &played = make();", true},
        {"int main() {\n    static Match match;\n    play(match);\n}", true},
        {"struct S {\n    static Game game;\n};", true},
        {"int main() {\n    Match match{};\n    play(match);\n}", false},
        {"void show(const Game &game);", false},
        {"Game copy_of(const Game &game) {\n    Game copy = game;\n    return copy;\n}", false},
        {"struct Match {\n    Game game;\n    GameRecord record;\n};", false},
        {"void f(Game &game) { for (int i = 0; i < 2; ++i) { Game g = game; } }", false},
        {"// Game game;\nint x;", false},
        {"/* Game game; */ int x;", false},
        {"const char *text = \"Game game;\";", false},
        {"#define PLAYED Game game\nint x;", false},
        {"WINDOW *map_window = nullptr;", false},
        {"bool every_seat_computer = false;", false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(global_games("made_up.cpp", code_only(c.code)).empty(), !c.global) << c.code;
    }
}

// The game being played is no global: the game's flow owns it, its record
// and its seats, and passes each screen what it shows.
TEST(CodeMap, TheGameBeingPlayedIsNoGlobal) {
    const fs::path src = SOURCE_DIR / "src";
    std::vector<std::string> faults;
    for (const std::string &file : source_files(src)) {
        for (const std::string &fault : global_games("src/" + file, code_only(read_text(src / file)))) {
            faults.push_back(fault);
        }
    }
    EXPECT_EQ(joined(faults), "");
}

TEST(CodeMap, NoTwoFilesOfTheGameShareAName) {
    std::map<std::string, std::vector<std::string>> by_name;
    for (const std::string &file : source_files(SOURCE_DIR / "src")) {
        by_name[fs::path(file).filename().string()].push_back(file);
    }
    for (const auto &[name, paths] : by_name) {
        EXPECT_EQ(paths.size(), 1u) << name << " stands in " << joined(paths);
    }
}

TEST(CodeMap, LinesPerFileAreThoseOfTheFiles) {
    // Rows such as "| `src/rules/game.h` | 99 |".
    const std::string row_start = "| `src/";
    std::map<std::string, long> published;
    std::istringstream doc(read_text(CODE_MAP));
    std::string line;
    while (std::getline(doc, line)) {
        if (line.compare(0, row_start.size(), row_start) != 0) continue;
        const std::size_t name_end = line.find("` | ", row_start.size());
        if (name_end == std::string::npos) continue;
        const std::size_t digits = name_end + 4;
        const std::size_t digits_end = line.find_first_not_of("0123456789", digits);
        if (digits_end == digits || digits_end == std::string::npos || line.compare(digits_end, 2, " |") != 0)
            continue;
        published[line.substr(row_start.size(), name_end - row_start.size())] =
            std::stol(line.substr(digits, digits_end - digits));
    }
    std::map<std::string, long> actual;
    const fs::path src = SOURCE_DIR / "src";
    for (const std::string &file : source_files(src)) {
        const std::string text = read_text(src / file);
        actual[file] = std::count(text.begin(), text.end(), '\n');
    }
    EXPECT_EQ(published, actual) << "scripts/code-map writes the lines per file into " << CODE_MAP;
}

}  // namespace
