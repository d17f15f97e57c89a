#include "VersionInfo.h"

#include "ModulePath.h"

#include <cwchar>

CVersionInfo::CVersionInfo() noexcept : VS_FIXEDFILEINFO{}
{
}

CVersionInfo::~CVersionInfo()
{
    Reset();
}

void CVersionInfo::Reset() noexcept
{
    static_cast<VS_FIXEDFILEINFO&>(*this) = VS_FIXEDFILEINFO{};
    m_pTranslations = nullptr;
    m_nTranslations = 0;
    m_pVersionData.reset();
}

bool CVersionInfo::Load(const wchar_t* path) noexcept
{
    Reset();

    DWORD unused = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &unused);
    if (size == 0)
        return false;

    unique_process_heap_ptr block(::HeapAlloc(::GetProcessHeap(), 0, size));
    if (!block)
    {
        ::SetLastError(ERROR_OUTOFMEMORY);
        return false;
    }
    if (!::GetFileVersionInfoW(path, 0, size, block.get()))
        return false;

    void* fixed = nullptr;
    UINT fixedLength = 0;
    if (!::VerQueryValueW(block.get(), L"\\", &fixed, &fixedLength))
        return false;
    if (fixed == nullptr || fixedLength < sizeof(VS_FIXEDFILEINFO) ||
        static_cast<const VS_FIXEDFILEINFO*>(fixed)->dwSignature != VS_FFI_SIGNATURE)
    {
        ::SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    static_cast<VS_FIXEDFILEINFO&>(*this) = *static_cast<const VS_FIXEDFILEINFO*>(fixed);

    // A record without a translation table still tells its numbers: the fixed fields stay.
    void* translations = nullptr;
    UINT translationBytes = 0;
    if (!::VerQueryValueW(block.get(), L"\\VarFileInfo\\Translation", &translations, &translationBytes))
        return false;

    m_pVersionData = std::move(block);
    m_pTranslations = static_cast<const LANGANDCODEPAGE*>(translations);
    m_nTranslations = translationBytes / sizeof(LANGANDCODEPAGE);
    return true;
}

bool CVersionInfo::LoadFromModule(HMODULE module) noexcept
{
    wchar_t path[MAX_PATH];
    return GetModulePath(module, path) && Load(path);
}

bool CVersionInfo::QueryValue(const wchar_t* key, const wchar_t** value, UINT* length) const
{
    if (m_nTranslations == 0)
    {
        ::SetLastError(ERROR_NO_MORE_ITEMS);
        return false;
    }
    // Only the first language is read: a record in several languages lists its main one first.
    CString subBlock;
    subBlock.Format(L"\\StringFileInfo\\%04x%04x\\%s", m_pTranslations[0].wLanguage,
                    m_pTranslations[0].wCodePage, key);
    void* found = nullptr;
    UINT foundLength = 0;
    const BOOL ok = ::VerQueryValueW(m_pVersionData.get(), subBlock, &found, &foundLength);
    *value = static_cast<const wchar_t*>(found);
    *length = foundLength;
    return ok != FALSE;
}

bool CVersionInfo::GetStringValue(const wchar_t* key, CString& value) const
{
    if (m_pTranslations == nullptr)
    {
        ::SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    const wchar_t* found = nullptr;
    UINT length = 0;
    if (!QueryValue(key, &found, &length))
        return false;

    // The reported length may count a terminator or padding: the text ends at the first zero.
    CString text(found, found != nullptr ? static_cast<int>(::wcsnlen(found, length)) : 0);
    text.Trim();
    value = std::move(text);
    return true;
}

CAppVersionInfo::CAppVersionInfo() noexcept
{
    HMODULE program = ::GetModuleHandleW(nullptr);
    if (program == nullptr || !LoadFromModule(program))
        Reset();
}
