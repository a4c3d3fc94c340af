// SPDX-License-Identifier: GPL-3.0-or-later
// The program file's load configuration. Its DependentLoadFlags make Windows load the DLLs the
// program imports from System32 alone, never from the program's own folder: the portable
// program runs from wherever it was saved, a Downloads folder or a USB stick, where a DLL named
// like one of Windows' own may lie. Windows' linkers take the structure of this name for the
// load configuration; after GNU ld, dist/windows/load_config.py points the program file at it.
// It is laid out here as Windows reads it on x86-64, whole, at the size Microsoft's and LLVM's
// linkers write today: Windows' loader takes DependentLoadFlags only from a structure that
// reaches GuardFlags, and a tool reads only the fields the size covers. MinGW's headers name the
// fields differently from one version to the next, hence a layout of its own. Every field Windows
// finds zero is one the program does not use: no control-flow guard, no security cookie (which
// Windows requires only of programs for subsystem 6.3 and later; this one says 5.2).
#include <windows.h>

#include <cstddef>
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
    std::uint64_t guardCFCheckFunctionPointer{};
    std::uint64_t guardCFDispatchFunctionPointer{};
    std::uint64_t guardCFFunctionTable{};
    std::uint64_t guardCFFunctionCount{};
    std::uint32_t guardFlags{};
    std::uint16_t codeIntegrityFlags{};
    std::uint16_t codeIntegrityCatalog{};
    std::uint32_t codeIntegrityCatalogOffset{};
    std::uint32_t codeIntegrityReserved{};
    std::uint64_t guardAddressTakenIatEntryTable{};
    std::uint64_t guardAddressTakenIatEntryCount{};
    std::uint64_t guardLongJumpTargetTable{};
    std::uint64_t guardLongJumpTargetCount{};
    std::uint64_t dynamicValueRelocTable{};
    std::uint64_t chpeMetadataPointer{};
    std::uint64_t guardRFFailureRoutine{};
    std::uint64_t guardRFFailureRoutineFunctionPointer{};
    std::uint32_t dynamicValueRelocTableOffset{};
    std::uint16_t dynamicValueRelocTableSection{};
    std::uint16_t reserved2{};
    std::uint64_t guardRFVerifyStackPointerFunctionPointer{};
    std::uint32_t hotPatchTableOffset{};
    std::uint32_t reserved3{};
    std::uint64_t enclaveConfigurationPointer{};
    std::uint64_t volatileMetadataPointer{};
    std::uint64_t guardEHContinuationTable{};
    std::uint64_t guardEHContinuationCount{};
    std::uint64_t guardXFGCheckFunctionPointer{};
    std::uint64_t guardXFGDispatchFunctionPointer{};
    std::uint64_t guardXFGTableDispatchFunctionPointer{};
    std::uint64_t castGuardOsDeterminedFailureMode{};
    std::uint64_t guardMemcpyFunctionPointer{};
};

// Where Windows reads what matters, and the whole size, as the PE format gives them.
static_assert(offsetof(LoadConfiguration, dependentLoadFlags) == 0x4E);
static_assert(offsetof(LoadConfiguration, securityCookie) == 0x58);
static_assert(offsetof(LoadConfiguration, guardFlags) == 0x90);
static_assert(offsetof(LoadConfiguration, guardEHContinuationTable) == 0x108);
static_assert(sizeof(LoadConfiguration) == 0x140);

} // namespace app

extern "C" constinit const app::LoadConfiguration _load_config_used{
    .size = sizeof(app::LoadConfiguration),
    .dependentLoadFlags = LOAD_LIBRARY_SEARCH_SYSTEM32,
};
