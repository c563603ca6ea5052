#include <windows.h>

#include "platform/clock.h"

namespace platform {

// Other programs send our windows messages at any time (activation when the
// foreground moves, the clipboard) and wait for the answer: a plain sleep
// would hold them up, the note program that is to copy the line included,
// until they give up seconds later. So messages sent to us are answered
// while we wait; posted ones stay for the loop that owns them.
void Sleep(unsigned milliseconds) {
    const DWORD start = ::GetTickCount();
    for (DWORD waited = 0; waited < milliseconds; waited = ::GetTickCount() - start) {
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_SENDMESSAGE) == WAIT_OBJECT_0) {
            MSG message;
            ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
}

unsigned GetTickCount() { return ::GetTickCount(); }

void SetTimer(WindowHandle window, uintptr_t id, unsigned milliseconds) {
    ::SetTimer(static_cast<HWND>(window), id, milliseconds, nullptr);
}

void KillTimer(WindowHandle window, uintptr_t id) { ::KillTimer(static_cast<HWND>(window), id); }

LocalDate GetLocalTime() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace platform
