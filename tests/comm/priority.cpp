// The library gives each reply byte 11 ms. On a busy machine the simulator's
// thread can miss that just by being scheduled late, so test processes ask
// for a higher priority where they may (as root) and run as they are
// elsewhere. Threads started later inherit it.

#include <sys/resource.h>

namespace {
[[maybe_unused]] const int raised = setpriority(PRIO_PROCESS, 0, -10);
}
