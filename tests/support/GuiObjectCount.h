// How many GDI and USER objects the process holds, for tests that look for
// leaks: the counts must come back to where they were.
#pragma once

#include <windows.h>

struct GuiObjectCount {
    DWORD gdi = 0;
    DWORD user = 0;
};

// GetGuiResources where the system has it. Wine (8.0) does not: it answers 0
// with ERROR_CALL_NOT_IMPLEMENTED. There the GDI count is read from the
// process's GDI handle table, and the USER count is the number of windows of
// the calling thread, the USER objects a window leaks.
GuiObjectCount CountGuiObjects();

// Live entries of a process's GDI handle table as Wine keeps it (inside each
// process, where the PEB's GdiSharedHandleTable points); -1 when it cannot be
// read. Needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ on another process.
long CountGdiHandleTable(HANDLE process);
