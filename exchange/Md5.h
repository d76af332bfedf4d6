// MD5, for the checksum a Chromium-family browser keeps in its bookmark file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Md5 {
public:
    void Update(const void* data, size_t size);
    void Update(const std::string& text) { Update(text.data(), text.size()); }
    // The digest as 32 lower-case hex digits; the object is spent after it.
    std::string HexDigest();

private:
    void Block(const uint8_t* block);

    uint32_t m_state[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    uint64_t m_length = 0;  // bytes
    uint8_t m_buffer[64] = {};
};
