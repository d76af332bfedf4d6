// The registry on Windows.
#include "settings/RegistryKey.h"

#include "store/CodePage.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

HKEY RootKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}

}  // namespace

RegistryKey::~RegistryKey()
{
    Close();
}

long RegistryKey::Open(RegistryRoot root, const std::string& path)
{
    Close();
    m_path = path;
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG status = RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, &disposition);
    if (status == ERROR_SUCCESS)
        m_key = key;
    return status;
}

long RegistryKey::OpenForReading(RegistryRoot root, const std::string& path)
{
    Close();
    m_path = path;
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key);
    if (status == ERROR_SUCCESS)
        m_key = key;
    return status;
}

void RegistryKey::Close()
{
    if (m_key) {
        RegCloseKey(static_cast<HKEY>(m_key));
        m_key = nullptr;
    }
}

long RegistryKey::ReadDword(const std::string& name, uint32_t& value)
{
    if (!m_key)
        return ERROR_INVALID_HANDLE;
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    const LONG status = RegQueryValueExA(static_cast<HKEY>(m_key), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&number), &size);
    if (status != ERROR_SUCCESS)
        return status;
    // A value of another type or shorter than four bytes would hand back a
    // half-filled number.
    if (type != REG_DWORD || size != sizeof number)
        return ERROR_INVALID_DATA;
    value = number;
    return ERROR_SUCCESS;
}

long RegistryKey::ReadString(const std::string& name, std::string& value)
{
    if (!m_key)
        return ERROR_INVALID_HANDLE;
    // 260 characters, in UTF-8 up to three bytes each.
    const size_t kCharacters = 260;
    char buffer[3 * kCharacters + 1];
    std::memset(buffer, 0, sizeof buffer);
    DWORD type = 0;
    DWORD size = sizeof buffer;
    const LONG status = RegQueryValueExA(static_cast<HKEY>(m_key), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    // A stored text that fills the buffer exactly has no terminator of its own.
    if (size == sizeof buffer && buffer[sizeof buffer - 1] != '\0')
        return ERROR_MORE_DATA;
    buffer[sizeof buffer - 1] = '\0';
    if (Utf8ToUtf16(buffer).size() > kCharacters)
        return ERROR_MORE_DATA;
    value = buffer;
    return ERROR_SUCCESS;
}

long RegistryKey::ReadLongString(const std::string& name, std::string& value, size_t limit)
{
    if (!m_key)
        return ERROR_INVALID_HANDLE;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(static_cast<HKEY>(m_key), name.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    if (size > limit + 1)
        return ERROR_MORE_DATA;
    std::vector<char> buffer(size + 1, '\0');
    status = RegQueryValueExA(static_cast<HKEY>(m_key), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status != ERROR_SUCCESS)
        return status;
    value.assign(buffer.data());
    return ERROR_SUCCESS;
}

long RegistryKey::WriteDword(const std::string& name, uint32_t value)
{
    if (!m_key)
        return ERROR_INVALID_HANDLE;
    const DWORD number = value;
    return RegSetValueExA(static_cast<HKEY>(m_key), name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&number), sizeof number);
}

long RegistryKey::WriteString(const std::string& name, const std::string& value)
{
    if (!m_key)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(static_cast<HKEY>(m_key), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
}

long RegistryKey::DeleteValue(const std::string& name)
{
    if (!m_key)
        return ERROR_INVALID_HANDLE;
    return RegDeleteValueA(static_cast<HKEY>(m_key), name.c_str());
}

void RegistryKey::ResetMemoryRegistry() {}
