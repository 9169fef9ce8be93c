// Messages in the player's language: the locale and the catalogs at
// start-up, and the choice between a translation and its English text by
// the room on the screen.
#include "terminal/messages.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "terminal/text.h"

#ifndef VEGATRADE_LOCALE_FROM_BINARY
#error "VEGATRADE_LOCALE_FROM_BINARY must name the catalogs' folder relative to the executable's"
#endif
#ifndef VEGATRADE_LOCALEDIR
#error "VEGATRADE_LOCALEDIR must name the installed catalogs' folder"
#endif

namespace {

bool is_folder(const char *path) {
    struct stat status {};
    return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

const char *catalog_folder() {
    static char folder[PATH_MAX + 64];
    char program[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0) return VEGATRADE_LOCALEDIR;
    program[length] = '\0';
    char *slash = std::strrchr(program, '/');
    if (slash == nullptr) return VEGATRADE_LOCALEDIR;
    *slash = '\0';
    const int written = std::snprintf(folder, sizeof folder, "%s/%s", program, VEGATRADE_LOCALE_FROM_BINARY);
    if (written <= 0 || static_cast<std::size_t>(written) >= sizeof folder || !is_folder(folder)) {
        return VEGATRADE_LOCALEDIR;
    }
    return folder;
}

void start_messages() {
    std::setlocale(LC_CTYPE, "");
    if (!utf8_locale()) return;
    std::setlocale(LC_MESSAGES, "");
    const char *folder = catalog_folder();
    // A damaged catalog leaves the game in English.
    if (!catalogs_sound(folder)) {
        std::setlocale(LC_MESSAGES, "C");
        return;
    }
    bindtextdomain(VEGATRADE_TEXT_DOMAIN, folder);
    textdomain(VEGATRADE_TEXT_DOMAIN);
}

const char *translation_within(const char *msgid, int columns) {
    const char *translation = _(msgid);
    return text_width(translation) <= columns ? translation : msgid;
}

int format_within(char *out, std::size_t size, int columns, const char *format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(out, size, _(format), arguments);
    va_end(arguments);
    int width = text_width(out);
    if (width <= columns) return width;
    va_start(arguments, format);
    std::vsnprintf(out, size, format, arguments);
    va_end(arguments);
    return text_width(out);
}
