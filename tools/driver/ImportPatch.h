#pragma once
// Points one imported function of this program at a replacement while the object lives, by
// rewriting its import address table entry; the program's code linked into it then calls the
// replacement. The unit tests fail system calls with it, the benchmark times them.
#include <windows.h>

#include <cstring>
#include <utility>

class CImportPatch
{
public:
    CImportPatch(const char* dllName, const char* functionName, const void* replacement)
    {
        auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); imports && dll->Name; ++dll)
        {
            if (_stricmp(reinterpret_cast<const char*>(base + dll->Name), dllName) != 0)
                continue;
            auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
            auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
            for (; name->u1.AddressOfData != 0 && m_slot == nullptr; ++name, ++slot)
            {
                const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
                if (!IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) && strcmp(byName->Name, functionName) == 0)
                    m_slot = reinterpret_cast<void**>(&slot->u1.Function);
            }
        }
        if (m_slot != nullptr)
            m_original = Write(const_cast<void*>(replacement));
    }
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;
    ~CImportPatch() { if (IsActive()) Write(m_original); }

    [[nodiscard]] bool IsActive() const noexcept { return m_slot != nullptr; }
    // The function the slot held before: a replacement that passes a call on must use it,
    // since calling the import by name would reach the replacement again.
    template <typename F> [[nodiscard]] F Original() const noexcept { return reinterpret_cast<F>(m_original); }

private:
    void* Write(void* value)
    {
        DWORD protection = 0;
        ::VirtualProtect(m_slot, sizeof(*m_slot), PAGE_READWRITE, &protection);
        void* previous = std::exchange(*m_slot, value);
        ::VirtualProtect(m_slot, sizeof(*m_slot), protection, &protection);
        return previous;
    }

    void** m_slot = nullptr;
    void* m_original = nullptr;
};
