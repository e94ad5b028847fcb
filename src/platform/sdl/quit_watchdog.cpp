#include "platform/sdl/quit_watchdog.h"

#include <semaphore.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <thread>

namespace veloria {

namespace {

sem_t g_signalled;
volatile sig_atomic_t g_signal = 0;
struct sigaction g_previous[2];
constexpr int kSignals[2] = {SIGTERM, SIGINT};

void OnSignal(int sig) {
    g_signal = sig;
    sem_post(&g_signalled);  // async-signal-safe
    for (int i = 0; i < 2; ++i) {
        if (kSignals[i] != sig) continue;
        const struct sigaction& p = g_previous[i];
        if ((p.sa_flags & SA_SIGINFO) == 0 && p.sa_handler != SIG_DFL && p.sa_handler != SIG_IGN)
            p.sa_handler(sig);
        // With no handler before ours the signal would have ended the process at once.
        if ((p.sa_flags & SA_SIGINFO) == 0 && p.sa_handler == SIG_DFL) _exit(128 + sig);
    }
}

}  // namespace

void StartQuitWatchdog(uint32_t graceMs) {
    static bool started = false;
    if (started) return;
    started = true;
    sem_init(&g_signalled, 0, 0);
    for (int i = 0; i < 2; ++i) {
        struct sigaction a;
        std::memset(&a, 0, sizeof(a));
        a.sa_handler = OnSignal;
        sigemptyset(&a.sa_mask);
        sigaction(kSignals[i], &a, &g_previous[i]);
    }
    std::thread([graceMs] {
        while (sem_wait(&g_signalled) != 0) {
        }
        struct timespec t;
        t.tv_sec = graceMs / 1000;
        t.tv_nsec = static_cast<long>(graceMs % 1000) * 1000000L;
        while (nanosleep(&t, &t) != 0) {
        }
        // Still here: the loop never saw the quit event.
        static const char kText[] = "veloria: did not end after a termination signal; ending now\n";
        (void)!write(2, kText, sizeof(kText) - 1);
        _exit(128 + g_signal);
    }).detach();
}

}  // namespace veloria
