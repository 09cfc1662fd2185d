// Preloaded into tvcli by the time-out test: every timed wait on a condition
// variable gives up after a millisecond instead of at its deadline, so the
// 1200 one-second steps of the progress indicator pass in about a second.
#include <dlfcn.h>
#include <pthread.h>
#include <time.h>

extern "C" int pthread_cond_timedwait(pthread_cond_t *cond, pthread_mutex_t *mutex,
                                      const struct timespec *abstime)
{
    using fn_t = int (*)(pthread_cond_t *, pthread_mutex_t *, const struct timespec *);
    static fn_t real = reinterpret_cast<fn_t>(dlvsym(RTLD_NEXT, "pthread_cond_timedwait", "GLIBC_2.3.2"));
    struct timespec soon;
    clock_gettime(CLOCK_REALTIME, &soon);
    soon.tv_nsec += 1000000;
    if (soon.tv_nsec >= 1000000000) {
        soon.tv_sec++;
        soon.tv_nsec -= 1000000000;
    }
    bool earlier = (soon.tv_sec < abstime->tv_sec ||
                               (soon.tv_sec == abstime->tv_sec && soon.tv_nsec < abstime->tv_nsec));
    return real(cond, mutex, earlier ? &soon : abstime);
}
