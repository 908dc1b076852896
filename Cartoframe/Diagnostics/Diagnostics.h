#pragma once
// Diagnostics of the map library.
//
// Every unit writes printf-style lines ending in a line feed through
// dbg_Print. They go to one sink: standard error unless a host (or a test)
// installs its own.
//
// A failed consistency check (a map file that reads short, a block that
// unpacks larger than its block size, a stream that is not open) is a fatal
// data error. It writes
//     Assertion failed: <check>, file <source>, line <n>
// and then stops the map: the store refuses further reads and the map data
// set stays empty until it is loaded afresh (fp_Setup or mp_LoadMapFiles
// lifts the stop). The host is never taken down. Only the first failure of a
// stop is written; what fails after it is a consequence of the same error.
//
// Single-threaded, like the rest of the library.

namespace cartoframe {

// Receives one complete line (with its line feed).
using TDiagSink = void (*)(const char* line, void* context);

// A null sink restores standard error.
void dbg_SetSink(TDiagSink sink, void* context);

#if defined(__GNUC__) || defined(__clang__)
void dbg_Print(const char* format, ...) __attribute__((format(printf, 1, 2)));
#else
void dbg_Print(const char* format, ...);
#endif

// Reports a failed check (text, source file, line) and stops the map.
void dbg_CheckFailed(const char* text, const char* file, int line);

struct TCheckFailure {
    const char* text = nullptr; // the check as written in the source
    const char* file = nullptr; // the source file's name without its folder
    int line = 0;
};

bool dbg_IsMapStopped();
// The failure that stopped the map (text null while it runs).
TCheckFailure dbg_StopReason();
// Lifts the stop; called when the data set is loaded afresh.
void dbg_RestartMap();

} // namespace cartoframe

// A consistency check: true when cond holds, otherwise reports the failure
// (with the condition's own text) and answers false.
#define CF_CHECK(cond) ((cond) ? true : (::cartoframe::dbg_CheckFailed(#cond, __FILE__, __LINE__), false))
// The same with the text given separately, for checks whose text is quoted
// by diagnostics readers and must stay stable whatever the code looks like.
#define CF_CHECK_TEXT(cond, text) ((cond) ? true : (::cartoframe::dbg_CheckFailed(text, __FILE__, __LINE__), false))
