/* Preload library for end-to-end tests: makes time() and getpid() return
 * the values in VEGATRADE_PIN_TIME and VEGATRADE_PIN_PID, so a test can have
 * the game seed its random numbers the same way every run. When a variable
 * is unset (or not a number) the real function answers.
 * With VEGATRADE_STOP_AFTER_ENDWIN set, the game stops itself (SIGSTOP)
 * right after curses' endwin() has restored the terminal, so a test can
 * type there before the program goes on to its end. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

/* Reads the decimal number in environment variable NAME; 0 when there is none. */
static int pinned(const char *name, long long *value)
{
    const char *text = getenv(name);
    char *end;
    long long number;
    int saved_errno = errno;

    if (text == NULL || *text == '\0')
        return 0;
    errno = 0;
    number = strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0') {
        errno = saved_errno;
        return 0;
    }
    errno = saved_errno;
    *value = number;
    return 1;
}

/* The next definition of NAME after this library. dlsym() returns an object
 * pointer; copying it into a function pointer is how POSIX says to use it. */
static void *next_symbol(const char *name)
{
    return dlsym(RTLD_NEXT, name);
}

time_t time(time_t *tloc)
{
    long long value;
    time_t now;

    if (pinned("VEGATRADE_PIN_TIME", &value)) {
        now = (time_t)value;
    } else {
        time_t (*real_time)(time_t *);
        void *symbol = next_symbol("time");
        memcpy(&real_time, &symbol, sizeof real_time);
        now = real_time(NULL);
    }
    if (tloc != NULL)
        *tloc = now;
    return now;
}

pid_t getpid(void)
{
    long long value;
    pid_t (*real_getpid)(void);
    void *symbol;

    if (pinned("VEGATRADE_PIN_PID", &value))
        return (pid_t)value;
    symbol = next_symbol("getpid");
    memcpy(&real_getpid, &symbol, sizeof real_getpid);
    return real_getpid();
}

int endwin(void) {
    int (*real_endwin)(void);
    void *symbol = next_symbol("endwin");
    int result;

    memcpy(&real_endwin, &symbol, sizeof real_endwin);
    result = real_endwin();
    if (getenv("VEGATRADE_STOP_AFTER_ENDWIN") != NULL) raise(SIGSTOP);
    return result;
}
