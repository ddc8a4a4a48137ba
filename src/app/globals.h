#pragma once
// The program's state as a whole. Each part of it lives in the module that owns it (the pages
// in the page store, the option values in the option record, every window's and routine's own
// state in its file); these two routines start and release all of them through their owners.

// Resets the program's state to how it is before start-up, through each owner (the program
// runs it once; the interface tests before each start, so that no test meets what an earlier
// one left).
void init_globals();
// Releases what the state holds, once, after the last window is gone.
void free_globals();
