#include "PeFile.h"

#include "UniqueHandle.h"

#include <cstring>

bool CPeFile::Load(const std::wstring& path)
{
    m_nt = nullptr;
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024)
        return false;
    m_bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file.get(), m_bytes.data(), static_cast<DWORD>(m_bytes.size()), &read, nullptr) ||
        read != m_bytes.size() || m_bytes.size() < sizeof(IMAGE_DOS_HEADER))
        return false;

    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, m_bytes.data(), sizeof(dos));
    const auto ntOffset = static_cast<size_t>(dos.e_lfanew);
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0 ||
        ntOffset + sizeof(IMAGE_NT_HEADERS64) > m_bytes.size())
        return false;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(m_bytes.data() + ntOffset);
    const size_t sectionsEnd = ntOffset + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                               nt->FileHeader.SizeOfOptionalHeader +
                               size_t{nt->FileHeader.NumberOfSections} * sizeof(IMAGE_SECTION_HEADER);
    if (nt->Signature != IMAGE_NT_SIGNATURE || sectionsEnd > m_bytes.size())
        return false;
    m_nt = nt;
    return true;
}

IMAGE_DATA_DIRECTORY CPeFile::Directory(int index) const noexcept
{
    if (index < 0 || static_cast<DWORD>(index) >= m_nt->OptionalHeader.NumberOfRvaAndSizes)
        return {};
    return m_nt->OptionalHeader.DataDirectory[index];
}

const BYTE* CPeFile::AtRva(DWORD rva, size_t size) const noexcept
{
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(m_nt);
    for (WORD i = 0; i < m_nt->FileHeader.NumberOfSections; ++i, ++section)
    {
        const DWORD start = section->VirtualAddress;
        if (rva < start || rva - start >= section->SizeOfRawData)
            continue;
        const size_t offset = size_t{section->PointerToRawData} + (rva - start);
        return offset + size <= m_bytes.size() ? m_bytes.data() + offset : nullptr;
    }
    return nullptr;
}

bool CPeFile::ReadName(DWORD rva, std::string& name) const
{
    const BYTE* first = AtRva(rva, 1);
    if (first == nullptr)
        return false;
    const auto* end = static_cast<const BYTE*>(std::memchr(first, 0, static_cast<size_t>(m_bytes.data() + m_bytes.size() - first)));
    if (end == nullptr)
        return false;
    name.assign(reinterpret_cast<const char*>(first), static_cast<size_t>(end - first));
    return true;
}

// Both tables end with an entry whose name is zero; only the names are needed here.
template <typename Descriptor, DWORD Descriptor::*NameRva>
bool CPeFile::AppendNames(int directory, std::vector<std::string>& names) const
{
    const DWORD first = Directory(directory).VirtualAddress;
    for (DWORD at = first; first != 0; at += sizeof(Descriptor))
    {
        const auto* entry = reinterpret_cast<const Descriptor*>(AtRva(at, sizeof(Descriptor)));
        if (entry == nullptr)
            return false;
        if (entry->*NameRva == 0)
            return true;
        std::string name;
        if (!ReadName(entry->*NameRva, name))
            return false;
        names.push_back(name);
    }
    return true;
}

bool CPeFile::ImportedDlls(std::vector<std::string>& names) const
{
    names.clear();
    return AppendNames<IMAGE_IMPORT_DESCRIPTOR, &IMAGE_IMPORT_DESCRIPTOR::Name>(IMAGE_DIRECTORY_ENTRY_IMPORT, names) &&
           AppendNames<IMAGE_DELAYLOAD_DESCRIPTOR, &IMAGE_DELAYLOAD_DESCRIPTOR::DllNameRVA>(
               IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT, names);
}
