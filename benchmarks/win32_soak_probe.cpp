// soak-probe.exe: what the running Windows saver holds, as Windows keeps it, for the
// soak under Wine (benchmarks/soak.sh). Run in the saver's prefix; prints key=value
// lines (handles, gdi, working_set_kb), or fails when no scintle.scr runs.
//
// Wine answers GetProcessHandleCount and GetGuiResources about another process with
// 0, so the probe counts for itself: the saver's entries in the system's handle list,
// and the live entries of the GDI handle table that the saver's PEB points to (Wine
// keeps one per process, its entries laid out as 64-bit Windows lays them out). The
// soak runs the 64-bit saver; a 32-bit probe reports no GDI figure.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <vector>

namespace {

constexpr ULONG kSystemHandleInformation = 16;

struct HandleEntry {  // SYSTEM_HANDLE_TABLE_ENTRY_INFO
    USHORT ownerProcessId;
    USHORT backTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT value;
    void* object;
    ULONG access;
};

struct GdiEntry {  // the GDI handle table's entry on 64-bit Windows
    unsigned long long object;
    ULONG owner;
    USHORT unique;
    UCHAR type;  // 0: a free entry
    UCHAR flags;
    unsigned long long user;
};
constexpr size_t kGdiEntries = 0x10000;

using QuerySystem = NTSTATUS(NTAPI*)(ULONG, void*, ULONG, ULONG*);
using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);

template <typename Function>
Function NtdllEntry(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

DWORD SaverProcessId() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, "scintle.scr") == 0) found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

long HandlesOf(DWORD id) {
    const auto query = NtdllEntry<QuerySystem>("NtQuerySystemInformation");
    std::vector<char> list(1 << 22);
    if (!query || query(kSystemHandleInformation, list.data(), static_cast<ULONG>(list.size()),
                        nullptr) != 0)
        return -1;
    const ULONG count = *reinterpret_cast<ULONG*>(list.data());
    const auto* entries = reinterpret_cast<const HandleEntry*>(list.data() + sizeof(void*));
    long mine = 0;
    for (ULONG i = 0; i < count; ++i)
        if (entries[i].ownerProcessId == id) ++mine;
    return mine;
}

long GdiObjectsOf(HANDLE process) {
#if defined(_WIN64)
    const auto query = NtdllEntry<QueryProcess>("NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return -1;
    void* table = nullptr;
    constexpr size_t kGdiTableInPeb = 0xF8;  // PEB.GdiSharedHandleTable
    if (!ReadProcessMemory(process, reinterpret_cast<char*>(basic.PebBaseAddress) + kGdiTableInPeb,
                           &table, sizeof table, nullptr) ||
        !table)
        return -1;
    std::vector<GdiEntry> entries(kGdiEntries);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiEntry), nullptr))
        return -1;
    long live = 0;
    for (const GdiEntry& entry : entries)
        if (entry.type != 0) ++live;
    return live;
#else
    (void)process;
    return -1;
#endif
}

}  // namespace

int main() {
    const DWORD id = SaverProcessId();
    HANDLE process = id ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id)
                        : nullptr;
    if (!process) {
        std::fprintf(stderr, "soak-probe: no scintle.scr is running\n");
        return 1;
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    std::printf("handles=%ld\ngdi=%ld\nworking_set_kb=%lu\n", HandlesOf(id), GdiObjectsOf(process),
                static_cast<unsigned long>(memory.WorkingSetSize / 1024));
    CloseHandle(process);
    return 0;
}
