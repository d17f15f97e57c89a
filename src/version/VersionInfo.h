#pragma once
// CVersionInfo reads the version record of a file: it keeps the fixed file information as
// its own fields and answers string lookups in the record's first language. The record
// block is owned by the reader and lives until Reset, the next Load or destruction.
// CAppVersionInfo is the same reader, loaded from the running program's own file.
#include "UniqueHandle.h"
#include "WideString.h"

#include <windows.h>

class CVersionInfo : public VS_FIXEDFILEINFO
{
public:
    // One entry of "\VarFileInfo\Translation".
    struct LANGANDCODEPAGE
    {
        WORD wLanguage;
        WORD wCodePage;
    };

    CVersionInfo() noexcept;
    CVersionInfo(const CVersionInfo&) = delete;
    CVersionInfo& operator=(const CVersionInfo&) = delete;
    virtual ~CVersionInfo();

    // Reads the record of the file at path. False with the last error set when the file has
    // no readable record or no translation table; in the latter case the fixed fields stay.
    bool Load(const wchar_t* path) noexcept;
    bool LoadFromModule(HMODULE module) noexcept;

    // The value of key without leading and trailing white space.
    bool GetStringValue(const wchar_t* key, CString& value) const;

    // The last Load read the record whole (its fixed fields and its translation table).
    [[nodiscard]] bool IsLoaded() const noexcept { return static_cast<bool>(m_pVersionData); }

protected:
    // Forgets the record: the fixed fields are zero and no string can be looked up.
    void Reset() noexcept;

private:
    // Looks key up in the string table of the first translation; value points into the
    // record, length counts characters as the system reports them.
    bool QueryValue(const wchar_t* key, const wchar_t** value, UINT* length) const;

    unique_process_heap_ptr m_pVersionData;
    const LANGANDCODEPAGE* m_pTranslations = nullptr; // points into m_pVersionData
    UINT m_nTranslations = 0;
};

class CAppVersionInfo : public CVersionInfo
{
public:
    // Loads the running program's record; stays empty, silently, if that fails (IsLoaded tells).
    CAppVersionInfo() noexcept;
};
