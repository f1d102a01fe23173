#include "parallel.h"

namespace catalogue {

unsigned defaultThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

} // namespace catalogue
