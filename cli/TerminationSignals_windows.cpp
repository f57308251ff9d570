#include "cli/TerminationSignals.h"

#include <windows.h>

#include "jww/leftovers.h"

namespace {

// Windows runs the handler on a thread of its own, so it may take locks and remove folders.
// The exit status is the one a console program ended by Ctrl+C has.
BOOL WINAPI RemoveLeftoversAndEnd(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        RemoveLeftoversForGood();
        ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
    default:
        return FALSE;
    }
}

}  // namespace

void RemoveLeftoversOnTermination()
{
    SetConsoleCtrlHandler(RemoveLeftoversAndEnd, TRUE);
}
