#include "WriteSignals.h"

#include <csignal>
#include <initializer_list>

namespace pelto5 {

namespace {

void Nothing(int) {}

} // namespace

void TurnWriteSignalsIntoErrors() {
    struct sigaction action {};
    action.sa_handler = &Nothing;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGXFSZ, SIGPIPE})
        ::sigaction(signal, &action, nullptr);
}

} // namespace pelto5
