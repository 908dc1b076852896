// Linked only into the map window test of the AddressSanitizer build. The
// browser engine is a system library not built for the sanitizer: it deletes
// some objects through a base of another size and keeps allocations for the
// life of the process. Those reports are about the engine, not about us, so
// this program alone turns the size check off and suppresses leaks whose
// allocation is inside the engine. Everything else stays checked; the options
// given in the environment still apply on top of these defaults.

extern "C" {
const char* __asan_default_options();
const char* __lsan_default_suppressions();

const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }
const char* __lsan_default_suppressions() { return "leak:libQt6WebEngineCore\n"; }
}
