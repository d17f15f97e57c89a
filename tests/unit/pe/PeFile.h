#pragma once
// Reads the headers and import tables of a 64-bit PE file from its bytes, as the loader would
// see them, without loading it.
#include <windows.h>

#include <string>
#include <vector>

class CPeFile
{
public:
    // Reads the file and checks its DOS and NT headers; false when it is no PE file.
    bool Load(const std::wstring& path);

    [[nodiscard]] WORD Machine() const noexcept { return m_nt->FileHeader.Machine; }
    // IMAGE_NT_OPTIONAL_HDR64_MAGIC for PE32+; the fields below are only read for PE32+.
    [[nodiscard]] WORD OptionalHeaderMagic() const noexcept { return m_nt->OptionalHeader.Magic; }
    [[nodiscard]] WORD Subsystem() const noexcept { return m_nt->OptionalHeader.Subsystem; }
    [[nodiscard]] WORD DllCharacteristics() const noexcept { return m_nt->OptionalHeader.DllCharacteristics; }
    [[nodiscard]] IMAGE_DATA_DIRECTORY Directory(int index) const noexcept;

    // The DLL names of the import and delay-import tables, in table order. False when a table
    // points outside the file.
    bool ImportedDlls(std::vector<std::string>& names) const;

private:
    // The file bytes at a relative virtual address, or null when size bytes are not all there.
    [[nodiscard]] const BYTE* AtRva(DWORD rva, size_t size) const noexcept;
    bool ReadName(DWORD rva, std::string& name) const;
    template <typename Descriptor, DWORD Descriptor::*NameRva>
    bool AppendNames(int directory, std::vector<std::string>& names) const;

    std::vector<BYTE> m_bytes;
    const IMAGE_NT_HEADERS64* m_nt = nullptr;
};
