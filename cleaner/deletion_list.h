// The deletion list "_Del.inf" in the working directory: one directory to clear per line.
#pragma once

// True when "_Del.inf" exists as a file whose last-write time is a valid MS-DOS date.
bool DeletionListExists();

// Reads the whole list, closes it, then clears each named directory in order. Raises
// EFOpenError when the list cannot be opened and EOutOfMemory when it does not fit in memory.
void ProcessDeletionList();
