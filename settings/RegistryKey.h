// Registry keys as the settings reach them.
#pragma once

#include <cstdint>
#include <string>

// Status codes of the registry calls, as the platform numbers them.
constexpr long kRegistryOk = 0;
constexpr long kRegistryNotFound = 2;    // ERROR_FILE_NOT_FOUND
constexpr long kRegistryBadType = 13;    // ERROR_INVALID_DATA
constexpr long kRegistryMoreData = 234;  // ERROR_MORE_DATA

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot };

// One open registry key, for one operation: open, read or write, close.
// Reads leave the destination untouched on failure, so a caller that starts
// it at a default gets the default. Off Windows the registry is a tree in
// memory that lives as long as the process, so core code runs in tests.
class RegistryKey {
public:
    RegistryKey() = default;
    virtual ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Creates the key and its parents when missing.
    long Open(RegistryRoot root, const std::string& path);
    // Opens an existing key for reading only; a missing key stays missing.
    long OpenForReading(RegistryRoot root, const std::string& path);
    void Close();
    bool IsOpen() const { return m_key != nullptr; }
    const std::string& Path() const { return m_path; }

    long ReadDword(const std::string& name, uint32_t& value);
    // A text longer than 260 characters (UTF-16 units, as the system counts
    // them) fails.
    long ReadString(const std::string& name, std::string& value);
    // Reads a text of any length up to `limit` bytes.
    long ReadLongString(const std::string& name, std::string& value, size_t limit = 65536);
    long WriteDword(const std::string& name, uint32_t value);
    long WriteString(const std::string& name, const std::string& value);
    long DeleteValue(const std::string& name);

    // Forgets the whole in-memory registry; does nothing on Windows.
    static void ResetMemoryRegistry();

private:
    void* m_key = nullptr;  // HKEY on Windows, the node of the memory tree elsewhere
    std::string m_path;
};
