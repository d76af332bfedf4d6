// Fakes for tests: a scripted prompt, a counting view, a clipboard, a temporary folder.
#include "tests/support/Fakes.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <algorithm>
#include <random>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device random;
    const fs::path root = fs::temp_directory_path() / ("linkhive-test-" + std::to_string(random()));
    fs::create_directories(root);
    m_root = root.u8string();
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_root, ignored);
}

std::string TempDir::Path(const std::string& name) const
{
    // Paths are UTF-8, as the programs' are (a plain fs::path would read them
    // in another code page on Windows).
    return (fs::u8path(m_root) / fs::u8path(name)).u8string();
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path)
{
    std::error_code ignored;
    return fs::exists(fs::u8path(path), ignored);
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::u8path(folder)))
        names.push_back(entry.path().filename().u8string());
    std::sort(names.begin(), names.end());
    return names;
}
