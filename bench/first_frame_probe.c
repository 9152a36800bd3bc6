// Start-up probe for bench/startup.sh, loaded with LD_PRELOAD: the first
// SDL_RenderPresent (the main screen shown for the first time) writes the
// monotonic clock in nanoseconds and the processor time used so far (all
// threads, nanoseconds) to the file named by ZIFFRON_PROBE_OUT and ends the
// process, so the script can subtract the time it started it.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

void SDL_RenderPresent(void* renderer)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    void (*real)(void*) = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
    if (real) real(renderer);
    const char* out = getenv("ZIFFRON_PROBE_OUT");
    FILE* f = out ? fopen(out, "w") : NULL;
    struct rusage use;
    getrusage(RUSAGE_SELF, &use);
    const long long cpu = (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1000000000LL +
                          (use.ru_utime.tv_usec + use.ru_stime.tv_usec) * 1000LL;
    if (f) {
        fprintf(f, "%lld %lld\n", (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec, cpu);
        fclose(f);
    }
    _exit(0);
}
