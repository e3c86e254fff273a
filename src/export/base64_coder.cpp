#include "export/base64_coder.h"

#include <cstring>

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

void Base64Coder::Prepare(Buffer& buffer, std::uint32_t n)
{
    if (buffer.capacity < n || !buffer.data) {
        buffer.capacity = (n / 4096u + 1u) * 4096u;
        buffer.data.reset(new char[buffer.capacity]);
    }
    std::memset(buffer.data.get(), 0, buffer.capacity);
}

bool Base64Coder::Encode(const void* bytes, std::size_t count)
{
    if (count > MaximumInput) {
        inputLength = outputLength = 0;
        Prepare(output, 0);
        return false;
    }
    const auto n = std::uint32_t(count);
    Prepare(input, n);
    if (n > 0)
        std::memcpy(input.data.get(), bytes, n);
    inputLength = n;
    Prepare(output, 2u * n);
    outputLength = 0;

    const auto* in = reinterpret_cast<const unsigned char*>(input.data.get());
    char* out = output.data.get();
    std::uint32_t i = 0;
    for (; i + 3 <= n; i += 3) {
        const unsigned b0 = in[i], b1 = in[i + 1], b2 = in[i + 2];
        out[outputLength++] = Alphabet[b0 >> 2];
        out[outputLength++] = Alphabet[((b0 << 4) & 63) | (b1 >> 4)];
        out[outputLength++] = Alphabet[((b1 << 2) & 63) | (b2 >> 6)];
        out[outputLength++] = Alphabet[b2 & 63];
    }
    if (const std::uint32_t rest = n - i) {
        const unsigned b0 = in[i], b1 = rest > 1 ? in[i + 1] : 0;
        out[outputLength++] = Alphabet[b0 >> 2];
        out[outputLength++] = Alphabet[((b0 << 4) & 63) | (b1 >> 4)];
        out[outputLength++] = rest > 1 ? Alphabet[(b1 << 2) & 63] : '=';
        out[outputLength++] = '=';
    }
    return true;
}

bool Base64Coder::Encode(const char* text)
{
    if (!text)
        return true;
    return Encode(text, std::strlen(text));
}

const char* Base64Coder::EncodedText() const
{
    return output.data ? output.data.get() : "";
}
