// The game's message catalogs as the tests read them: the languages of
// po/LINGUAS and each po/LANG.po's messages, so that a test can tell what a
// screen should say in a language, and find an English message shown where
// its translation should be. No gettext here: the tests read the sources.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace e2e {

// One catalog: each English message and its translation.
class Catalog {
  public:
    // The catalog of `language` from po/, or an empty one (English) when
    // `language` has none; "" reads the template, for its rooms.
    explicit Catalog(const std::string &language);

    // The translation of `msgid`, or `msgid` itself when the catalog has
    // none (as gettext gives it).
    const std::string &tr(const std::string &msgid) const;

    // The messages whose translation differs from their English text.
    std::vector<std::pair<std::string, std::string>> translated() const;

    // Each message's room on the screen as its comment for translators
    // gives it: the columns after its last "at most", counted without its
    // figures and names (a help page's: each line's).
    const std::map<std::string, int> &rooms() const { return rooms_; }

    bool empty() const { return messages_.empty(); }

  private:
    std::map<std::string, std::string> messages_;
    std::map<std::string, int> rooms_;
};

// The languages that have a catalog, as po/LINGUAS lists them.
std::vector<std::string> catalog_languages();

// `format` with each printf directive (%d, %s, ...) replaced by the next of
// `values`, in order.
std::string fill(const std::string &format, const std::vector<std::string> &values);

// The lines of a text, parted at its newlines.
std::vector<std::string> lines_of(const std::string &text);

}  // namespace e2e
