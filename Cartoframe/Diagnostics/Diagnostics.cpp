#include "Diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace cartoframe {
namespace {

TDiagSink g_sink = nullptr;
void* g_sinkContext = nullptr;
bool g_stopped = false;
TCheckFailure g_reason;

void emit(const char* line) {
    if (g_sink) {
        g_sink(line, g_sinkContext);
        return;
    }
    std::fputs(line, stderr);
}

const char* baseName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\')
            name = p + 1;
    return name;
}

} // namespace

void dbg_SetSink(TDiagSink sink, void* context) {
    g_sink = sink;
    g_sinkContext = sink ? context : nullptr;
}

void dbg_Print(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (length < 0) {
        va_end(args);
        return;
    }
    std::string line(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(line.data(), line.size(), format, args);
    va_end(args);
    emit(line.c_str());
}

void dbg_CheckFailed(const char* text, const char* file, int line) {
    if (g_stopped)
        return;
    g_stopped = true;
    g_reason = {text, baseName(file), line};
    dbg_Print("Assertion failed: %s, file %s, line %d\n", text, g_reason.file, line);
    dbg_Print("*** map stopped: fatal map data error; load the map afresh\n");
}

bool dbg_IsMapStopped() { return g_stopped; }

TCheckFailure dbg_StopReason() { return g_stopped ? g_reason : TCheckFailure{}; }

void dbg_RestartMap() {
    g_stopped = false;
    g_reason = {};
}

} // namespace cartoframe
