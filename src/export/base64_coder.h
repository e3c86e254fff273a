#pragma once

// Base64 (the standard alphabet, "=" padding) of a block of bytes, as one
// unbroken run of characters. The coder keeps its buffers between uses: a
// buffer too small for the next input is replaced by one of the next multiple
// of 4096 bytes strictly above the size needed, and is cleared either way.

#include <cstddef>
#include <cstdint>
#include <memory>

class Base64Coder
{
public:
    // The largest input the 32-bit counters can describe: the text buffer
    // holds twice the input and its own rounding.
    static constexpr std::size_t MaximumInput = (UINT32_MAX - 4096u) / 2u;

    Base64Coder() = default;
    Base64Coder(const Base64Coder&) = delete;
    Base64Coder& operator=(const Base64Coder&) = delete;
    virtual ~Base64Coder() = default;

    // False, and the coder left empty, for an input above MaximumInput.
    virtual bool Encode(const void* bytes, std::size_t count);
    // The characters of text without its terminator; null does nothing.
    virtual bool Encode(const char* text);

    // NUL-terminated; valid until the next Encode or the coder's end.
    virtual const char* EncodedText() const;
    virtual std::uint32_t EncodedLength() const { return outputLength; }

private:
    struct Buffer
    {
        std::unique_ptr<char[]> data;
        std::uint32_t capacity = 0;
    };
    // Room for at least n bytes, all of them zero.
    static void Prepare(Buffer& buffer, std::uint32_t n);

    Buffer input;
    std::uint32_t inputLength = 0;
    Buffer output;
    std::uint32_t outputLength = 0;
};
