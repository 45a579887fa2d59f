#pragma once

// TABI_ASSERT(cond && "what went wrong") checks an invariant the code relies
// on: a programmer's error, never bad story data, which is logged and survived
// instead. Checked where TABI_ASSERTS is defined (the sanitizer, fuzz and
// debug builds), where a broken invariant stops the program at once with the
// place it broke; a release build does not evaluate the condition.
#if defined(TABI_ASSERTS)
#define TABI_ASSERT(cond) \
    ((cond) ? static_cast<void>(0) : TabiAssertFailed(#cond, __FILE__, __LINE__))
#else
#define TABI_ASSERT(cond) static_cast<void>(sizeof(!(cond)))
#endif

[[noreturn]] void TabiAssertFailed(const char* condition, const char* file, int line);
