// The registry in memory off Windows.
#include "settings/RegistryKey.h"

#include "store/TextCompare.h"

#include <map>

namespace {

constexpr long kInvalidHandle = 6;  // ERROR_INVALID_HANDLE

struct RegistryValue {
    bool isNumber = false;
    uint32_t number = 0;
    std::string text;
};

struct LessNoCase {
    bool operator()(const std::string& a, const std::string& b) const { return CompareNoCase(a, b) < 0; }
};

struct RegistryNode {
    std::map<std::string, RegistryValue, LessNoCase> values;
};

// Key paths compare without regard to letter case, as the system's do.
std::map<std::string, RegistryNode, LessNoCase>& MemoryRegistry()
{
    static std::map<std::string, RegistryNode, LessNoCase> registry;
    return registry;
}

std::string FullPath(RegistryRoot root, const std::string& path)
{
    std::string full = root == RegistryRoot::LocalMachine ? "HKLM"
                       : root == RegistryRoot::ClassesRoot ? "HKCR"
                                                           : "HKCU";
    std::string part;
    for (char c : path + "\\") {
        if (c != '\\') {
            part += c;
        } else if (!part.empty()) {
            full += "\\" + part;
            part.clear();
        }
    }
    return full;
}

RegistryNode& Node(void* key)
{
    return *static_cast<RegistryNode*>(key);
}

const RegistryValue* FindValue(void* key, const std::string& name)
{
    const auto found = Node(key).values.find(name);
    return found == Node(key).values.end() ? nullptr : &found->second;
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
    m_key = &MemoryRegistry()[FullPath(root, path)];
    return kRegistryOk;
}

long RegistryKey::OpenForReading(RegistryRoot root, const std::string& path)
{
    Close();
    m_path = path;
    const auto found = MemoryRegistry().find(FullPath(root, path));
    if (found == MemoryRegistry().end())
        return kRegistryNotFound;
    m_key = &found->second;
    return kRegistryOk;
}

void RegistryKey::Close()
{
    m_key = nullptr;
}

long RegistryKey::ReadDword(const std::string& name, uint32_t& value)
{
    if (!m_key)
        return kInvalidHandle;
    const RegistryValue* found = FindValue(m_key, name);
    if (!found)
        return kRegistryNotFound;
    if (!found->isNumber)
        return kRegistryBadType;
    value = found->number;
    return kRegistryOk;
}

long RegistryKey::ReadString(const std::string& name, std::string& value)
{
    return ReadLongString(name, value, 260);
}

long RegistryKey::ReadLongString(const std::string& name, std::string& value, size_t limit)
{
    if (!m_key)
        return kInvalidHandle;
    const RegistryValue* found = FindValue(m_key, name);
    if (!found)
        return kRegistryNotFound;
    if (found->isNumber)
        return kRegistryBadType;
    if (found->text.size() > limit)
        return kRegistryMoreData;
    value = found->text;
    return kRegistryOk;
}

long RegistryKey::WriteDword(const std::string& name, uint32_t value)
{
    if (!m_key)
        return kInvalidHandle;
    RegistryValue& stored = Node(m_key).values[name];
    stored.isNumber = true;
    stored.number = value;
    stored.text.clear();
    return kRegistryOk;
}

long RegistryKey::WriteString(const std::string& name, const std::string& value)
{
    if (!m_key)
        return kInvalidHandle;
    RegistryValue& stored = Node(m_key).values[name];
    stored.isNumber = false;
    // The system keeps a text up to its first zero byte.
    stored.text = value.substr(0, value.find('\0'));
    return kRegistryOk;
}

long RegistryKey::DeleteValue(const std::string& name)
{
    if (!m_key)
        return kInvalidHandle;
    return Node(m_key).values.erase(name) ? kRegistryOk : kRegistryNotFound;
}

void RegistryKey::ResetMemoryRegistry()
{
    MemoryRegistry().clear();
}
