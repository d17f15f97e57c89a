#pragma once
// Points one imported function of this test program at a replacement while the object
// lives, by rewriting the import address table entries that name it. Everything linked into
// the program (the code under test included) then calls the replacement; the original
// stays reachable through Original().
#include <windows.h>

#include <cstring>
#include <vector>

class CImportPatch
{
public:
    CImportPatch(const char* dllName, const char* functionName, const void* replacement)
    {
        auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (imports.VirtualAddress == 0)
            return;
        for (auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             descriptor->Name != 0; ++descriptor)
        {
            if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), dllName) != 0)
                continue;
            auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots)
            {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (strcmp(reinterpret_cast<const char*>(byName->Name), functionName) == 0)
                    m_slots.push_back(reinterpret_cast<void**>(&slots->u1.Function));
            }
        }
        for (void** slot : m_slots)
        {
            m_original = *slot;
            Write(slot, const_cast<void*>(replacement));
        }
    }
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;
    ~CImportPatch()
    {
        for (void** slot : m_slots)
            Write(slot, m_original);
    }

    [[nodiscard]] bool IsActive() const noexcept { return !m_slots.empty(); }
    template <typename F>
    [[nodiscard]] F Original() const noexcept
    {
        return reinterpret_cast<F>(m_original);
    }

private:
    static void Write(void** slot, void* value)
    {
        DWORD oldProtection = 0;
        ::VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &oldProtection);
        *slot = value;
        ::VirtualProtect(slot, sizeof(*slot), oldProtection, &oldProtection);
    }

    std::vector<void**> m_slots;
    void* m_original = nullptr;
};
