#include <windows.h>

#include "platform/clock.h"

namespace platform {

void Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

LocalDate GetLocalTime() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace platform
