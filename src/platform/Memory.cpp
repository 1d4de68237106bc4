// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Memory {

void releaseFreed()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace Memory
