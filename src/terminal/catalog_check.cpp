// The check that a message catalog is whole before gettext reads it.
// gettext trusts the offsets inside a catalog: a truncated one (a disk that
// filled during an installation, a copy cut short) shows empty or stray
// text, or ends the game when a string lies beyond the file's last page --
// the DamagedCatalog test shows the game with a half catalog never reaching
// its first prompt without this check. So every catalog that gettext may
// read for the languages asked for is checked first, and a damaged one
// leaves the game in English.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "terminal/messages.h"

namespace {

// A catalog file's bytes, read whole for checking, up to a size no catalog
// of this game comes near.
struct CatalogBytes {
    static constexpr std::size_t MOST = 4 << 20;
    unsigned char *bytes = nullptr;
    std::size_t size = 0;
    bool swapped = false;

    std::uint32_t word(std::size_t offset) const {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes + offset, sizeof value);
        return swapped ? __builtin_bswap32(value) : value;
    }
    // Whether the string table at `offset` holds `count` entries, each a
    // length and an offset, whose strings lie in the file, each ending in a
    // NUL byte.
    bool strings_inside(std::uint32_t offset, std::uint32_t count) const {
        if (offset > size || (size - offset) / 8 < count) return false;
        for (std::uint32_t n = 0; n < count; ++n) {
            const std::uint32_t length = word(offset + 8 * std::size_t{n});
            const std::uint32_t start = word(offset + 8 * std::size_t{n} + 4);
            if (start >= size || length >= size - start || bytes[start + length] != '\0') return false;
        }
        return true;
    }
};

// Whether the catalog file at `path` is whole: a message catalog whose
// tables and strings all lie in the file. gettext trusts the offsets in a
// catalog, so a truncated one would show empty or stray text, or end the
// game when a string lies beyond the file's last page.
bool catalog_sound(const char *path) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;  // none there, or not readable: gettext finds none either
    struct stat status {};
    CatalogBytes file;
    bool sound = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size >= 28 &&
                 static_cast<std::size_t>(status.st_size) <= CatalogBytes::MOST;
    if (sound) {
        file.size = static_cast<std::size_t>(status.st_size);
        file.bytes = static_cast<unsigned char *>(std::malloc(file.size));
        std::size_t done = 0;
        while (file.bytes != nullptr && done < file.size) {
            const ssize_t got = read(fd, file.bytes + done, file.size - done);
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        sound = file.bytes != nullptr && done == file.size;
    }
    close(fd);
    if (sound) {
        const std::uint32_t magic = file.word(0);
        file.swapped = magic == 0xde120495U;
        const std::uint32_t count = file.word(8);
        const std::uint32_t hash_size = file.word(20);
        const std::uint32_t hash_offset = file.word(24);
        sound = (magic == 0x950412deU || file.swapped) && (file.word(4) >> 16) == 0 &&
                file.strings_inside(file.word(12), count) && file.strings_inside(file.word(16), count) &&
                (hash_size == 0 || (hash_offset <= file.size && (file.size - hash_offset) / 4 >= hash_size));
        for (std::uint32_t n = 0; sound && n < hash_size; ++n) {
            sound = file.word(hash_offset + 4 * std::size_t{n}) <= count;
        }
    }
    std::free(file.bytes);
    return sound;
}

}  // namespace

// The languages are LANGUAGE's, unless the messages' locale is "C", else
// the locale's name; for each gettext tries the name and the name without
// its modifier, codeset and territory.
bool catalogs_sound(const char *folder) {
    const char *locale = std::setlocale(LC_MESSAGES, nullptr);
    const char *language = std::getenv("LANGUAGE");
    const char *names =
        language != nullptr && language[0] != '\0' && locale != nullptr && std::strcmp(locale, "C") != 0
            ? language
            : locale;
    if (names == nullptr) return true;
    char list[512];
    std::snprintf(list, sizeof list, "%s", names);
    char *saved = nullptr;
    for (char *name = strtok_r(list, ":", &saved); name != nullptr; name = strtok_r(nullptr, ":", &saved)) {
        char variant[256];
        std::snprintf(variant, sizeof variant, "%s", name);
        for (;;) {
            char path[PATH_MAX + 512];
            std::snprintf(path, sizeof path, "%s/%s/LC_MESSAGES/%s.mo", folder, variant,
                          VEGATRADE_TEXT_DOMAIN);
            if (!catalog_sound(path)) return false;
            char *cut = std::strpbrk(variant, "@");
            if (cut == nullptr) cut = std::strpbrk(variant, ".");
            if (cut == nullptr) cut = std::strpbrk(variant, "_");
            if (cut == nullptr) break;
            *cut = '\0';
        }
    }
    return true;
}
