// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace Memory {

// Hands the heap's free pages back to the system. The allocator keeps what
// the closed card's views freed; a program that idles all day should not.
void releaseFreed();

} // namespace Memory
