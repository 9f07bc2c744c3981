// What the fuzz targets share: reading the input as flags and length-prefixed texts, and a check
// that stops the run with the broken rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define REQUIRE(condition) \
    ((condition) ? (void)0 : FuzzFailed(#condition, __FILE__, __LINE__))

[[noreturn]] inline void FuzzFailed(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, condition);
    std::abort();
}

// Reads the input front to back; past its end every byte is zero and every text empty.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return size_ == 0; }

    std::uint8_t Byte()
    {
        if (size_ == 0)
            return 0;
        --size_;
        return *data_++;
    }

    // Two bytes of length, little-endian, then up to that many bytes of any value, zeros included.
    std::string Text()
    {
        std::size_t length = Byte();
        length |= static_cast<std::size_t>(Byte()) << 8;
        if (length > size_)
            length = size_;
        std::string text(reinterpret_cast<const char*>(data_), length);
        data_ += length;
        size_ -= length;
        return text;
    }

    // Everything left.
    std::string Rest()
    {
        std::string text(reinterpret_cast<const char*>(data_), size_);
        data_ += size_;
        size_ = 0;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// A text as a zero-terminated buffer of size bytes holds it: up to the first zero, at most size - 1.
inline std::string AsHeld(const std::string& text, std::size_t size)
{
    std::string held = text.substr(0, text.find('\0'));
    return held.size() < size ? held : held.substr(0, size - 1);
}

// A text as a button caption must hold it to show it as typed: the caption takes '&' as the mark
// of the next letter and shows "&&" as one '&', so every '&' is there twice, none left out.
inline std::string WithAmpersandsDoubled(const std::string& text)
{
    std::string doubled;
    for (char c : text)
        doubled += c == '&' ? "&&" : std::string(1, c);
    return doubled;
}
