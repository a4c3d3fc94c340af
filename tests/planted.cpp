// SPDX-License-Identifier: GPL-3.0-or-later
// A library planted in the folder a program is started from, named like one the program needs:
// loaded, it leaves the file "planted-library-ran" in the current folder.
#include <cstdio>

namespace {
const struct Mark {
    Mark()
    {
        if (std::FILE *file = std::fopen("planted-library-ran", "w"))
            std::fclose(file);
    }
} mark;
} // namespace
