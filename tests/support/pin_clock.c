/* Preloaded into the game by end-to-end tests that need one known galaxy:
 * time() and getpid() return VEGATRADE_PIN_TIME and VEGATRADE_PIN_PID when
 * those are set, and the real values otherwise. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

static int pinned(const char *name, long *value) {
    const char *text = getenv(name);
    if (text == NULL || *text == '\0') return 0;
    *value = strtol(text, NULL, 10);
    return 1;
}

time_t time(time_t *result) {
    long value;
    time_t now;
    if (pinned("VEGATRADE_PIN_TIME", &value)) {
        now = (time_t)value;
    } else {
        time_t (*real_time)(time_t *) = (time_t(*)(time_t *))dlsym(RTLD_NEXT, "time");
        now = real_time(NULL);
    }
    if (result != NULL) *result = now;
    return now;
}

pid_t getpid(void) {
    long value;
    if (pinned("VEGATRADE_PIN_PID", &value)) return (pid_t)value;
    pid_t (*real_getpid)(void) = (pid_t(*)(void))dlsym(RTLD_NEXT, "getpid");
    return real_getpid();
}
