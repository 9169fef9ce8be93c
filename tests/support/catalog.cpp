#include "support/catalog.h"

#include <fstream>
#include <map>
#include <sstream>

namespace e2e {
namespace {

// The text of one quoted string of a .po file, its C escapes undone.
std::string unquote(const std::string &quoted) {
    std::string text;
    const std::size_t first = quoted.find('"');
    const std::size_t last = quoted.rfind('"');
    if (first == std::string::npos || last <= first) return text;
    for (std::size_t i = first + 1; i < last; ++i) {
        if (quoted[i] != '\\' || i + 1 >= last) {
            text += quoted[i];
            continue;
        }
        const char escaped = quoted[++i];
        switch (escaped) {
            case 'n': text += '\n'; break;
            case 't': text += '\t'; break;
            default: text += escaped; break;
        }
    }
    return text;
}

}  // namespace

Catalog::Catalog(const std::string &language) {
    const std::string po = std::string(VEGATRADE_SOURCE_DIR) + "/po/";
    std::ifstream in(language.empty() ? po + "vegatrade.pot" : po + language + ".po");
    std::string line;
    std::string msgid;
    std::string msgstr;
    std::string comment;
    std::string *field = nullptr;
    bool fuzzy = false;
    auto finish = [&] {
        if (!msgid.empty() && !msgstr.empty() && !fuzzy) messages_[msgid] = msgstr;
        const auto at_most = comment.rfind("at most ");
        if (!msgid.empty() && at_most != std::string::npos) {
            std::istringstream words(comment.substr(at_most + 8));
            int columns = 0;
            std::string unit;
            if (words >> columns >> unit && unit.rfind("column", 0) == 0) rooms_[msgid] = columns;
        }
        msgid.clear();
        msgstr.clear();
        comment.clear();
        field = nullptr;
        fuzzy = false;
    };
    while (std::getline(in, line)) {
        // The comments and flags of an entry stand before its msgid: the
        // entry before it ends there.
        if ((line.rfind("#", 0) == 0 || line.rfind("msgid ", 0) == 0) && field != nullptr) finish();
        if (line.rfind("#.", 0) == 0) {
            comment += line.substr(line.size() > 2 && line[2] == ' ' ? 3 : 2) + " ";
        } else if (line.rfind("msgid ", 0) == 0) {
            msgid = unquote(line);
            field = &msgid;
        } else if (line.rfind("msgstr ", 0) == 0) {
            msgstr = unquote(line);
            field = &msgstr;
        } else if (line.rfind("\"", 0) == 0 && field != nullptr) {
            *field += unquote(line);
        } else if (line.rfind("#,", 0) == 0 && line.find("fuzzy") != std::string::npos) {
            fuzzy = true;
        } else if (line.rfind("#~", 0) == 0) {
            field = nullptr;
        }
    }
    finish();
}

const std::string &Catalog::tr(const std::string &msgid) const {
    const auto found = messages_.find(msgid);
    return found != messages_.end() ? found->second : msgid;
}

std::vector<std::pair<std::string, std::string>> Catalog::translated() const {
    std::vector<std::pair<std::string, std::string>> result;
    for (const auto &[msgid, msgstr] : messages_) {
        if (msgid != msgstr) result.emplace_back(msgid, msgstr);
    }
    return result;
}

std::vector<std::string> catalog_languages() {
    std::ifstream in(std::string(VEGATRADE_SOURCE_DIR) + "/po/LINGUAS");
    std::vector<std::string> languages;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        for (std::string word; words >> word;) languages.push_back(word);
    }
    return languages;
}

std::string fill(const std::string &format, const std::vector<std::string> &values) {
    std::string text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            text += format[i];
            continue;
        }
        std::size_t end = i + 1;
        while (end < format.size() && std::string("-+ #0123456789.").find(format[end]) != std::string::npos)
            ++end;
        if (end < format.size() && format[end] == '%') {
            text += '%';
        } else if (next < values.size()) {
            text += values[next++];
        }
        i = end;
    }
    return text;
}

std::vector<std::string> lines_of(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

}  // namespace e2e
