// SPDX-License-Identifier: GPL-3.0-or-later
// The program file's load configuration. Its DependentLoadFlags make Windows load the DLLs the
// program imports from System32 alone, never from the program's own folder: the portable
// program runs from wherever it was saved, a Downloads folder or a USB stick, where a DLL named
// like one of Windows' own may lie. Windows' linkers take the structure of this name for the
// load configuration; after GNU ld, dist/windows/load_config.py points the program file at it.
// It is laid out here as Windows reads it on x86-64, through the fields of its classic size, for
// MinGW's headers name the field differently from one version to the next; every field Windows
// finds zero is one the program does not use.
#include <windows.h>

#include <cstdint>

namespace app {

struct LoadConfiguration
{
    std::uint32_t size{};
    std::uint32_t timeDateStamp{};
    std::uint16_t majorVersion{};
    std::uint16_t minorVersion{};
    std::uint32_t globalFlagsClear{};
    std::uint32_t globalFlagsSet{};
    std::uint32_t criticalSectionDefaultTimeout{};
    std::uint64_t deCommitFreeBlockThreshold{};
    std::uint64_t deCommitTotalFreeThreshold{};
    std::uint64_t lockPrefixTable{};
    std::uint64_t maximumAllocationSize{};
    std::uint64_t virtualMemoryThreshold{};
    std::uint64_t processAffinityMask{};
    std::uint32_t processHeapFlags{};
    std::uint16_t csdVersion{};
    std::uint16_t dependentLoadFlags{};
    std::uint64_t editList{};
    std::uint64_t securityCookie{};
    std::uint64_t seHandlerTable{};
    std::uint64_t seHandlerCount{};
};

} // namespace app

extern "C" constinit const app::LoadConfiguration _load_config_used{
    .size = sizeof(app::LoadConfiguration),
    .dependentLoadFlags = LOAD_LIBRARY_SEARCH_SYSTEM32,
};
