// Forced into every source of the static handheld build: the compiler's C++ headers ask glibc's
// version, and musl is not glibc.
#pragma once
#define __GLIBC_PREREQ(major, minor) 0
