// Hex text of embedded pictures. A placed photograph is tens of megabytes,
// so both directions work on 16 bytes at a time where the processor allows
// and fall back to lookup tables for the rest.

#include "items/item_xml_format.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr char UpperDigits[] = "0123456789ABCDEF";

constexpr std::array<char, 512> MakeHexPairs()
{
    std::array<char, 512> pairs{};
    for (int b = 0; b < 256; ++b) {
        pairs[std::size_t(2 * b)] = UpperDigits[b >> 4];
        pairs[std::size_t(2 * b + 1)] = UpperDigits[b & 15];
    }
    return pairs;
}
constexpr std::array<char, 512> HexPairs = MakeHexPairs();

// Digit value, or -1 for a character that is no hex digit.
constexpr std::array<std::int8_t, 256> MakeHexValues()
{
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int d = 0; d < 10; ++d)
        values[std::size_t('0' + d)] = std::int8_t(d);
    for (int d = 0; d < 6; ++d) {
        values[std::size_t('A' + d)] = std::int8_t(10 + d);
        values[std::size_t('a' + d)] = std::int8_t(10 + d);
    }
    return values;
}
constexpr std::array<std::int8_t, 256> HexValues = MakeHexValues();

void EncodeByTable(const unsigned char* bytes, std::size_t count, char* dst)
{
    for (std::size_t i = 0; i < count; ++i)
        std::memcpy(dst + 2 * i, &HexPairs[std::size_t(bytes[i]) * 2], 2);
}

// Decodes pairs until the first broken one; answers how many were decoded.
std::size_t DecodeByTable(const unsigned char* src, std::size_t pairs, unsigned char* out)
{
    for (std::size_t i = 0; i < pairs; ++i) {
        const int high = HexValues[src[2 * i]];
        const int low = HexValues[src[2 * i + 1]];
        if ((high | low) < 0)
            return i;
        out[i] = static_cast<unsigned char>((high << 4) | low);
    }
    return pairs;
}

#if defined(__SSE2__)

// Nibbles 0..15 to '0'..'9', 'A'..'F'.
inline __m128i NibblesToDigits(__m128i nibbles)
{
    const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9)), _mm_set1_epi8('A' - '0' - 10));
    return _mm_add_epi8(_mm_add_epi8(nibbles, _mm_set1_epi8('0')), letters);
}

// Encodes whole blocks of 16 bytes; answers how many bytes it took.
std::size_t EncodeBlocks(const unsigned char* bytes, std::size_t count, char* dst)
{
    const __m128i low4 = _mm_set1_epi8(0x0F);
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i high = NibblesToDigits(_mm_and_si128(_mm_srli_epi16(v, 4), low4));
        const __m128i low = NibblesToDigits(_mm_and_si128(v, low4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 2 * i), _mm_unpacklo_epi8(high, low));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 2 * i + 16), _mm_unpackhi_epi8(high, low));
    }
    return i;
}

// Digit values of 16 characters; valid has 0xFF where the character is a hex digit.
inline __m128i DigitValues(__m128i c, __m128i& valid)
{
    // Unsigned "x < n" as a signed compare of both sides shifted by 0x80.
    const __m128i bias = _mm_set1_epi8(char(0x80));
    const __m128i digit = _mm_sub_epi8(c, _mm_set1_epi8('0'));
    const __m128i isDigit = _mm_cmplt_epi8(_mm_xor_si128(digit, bias), _mm_set1_epi8(char(10 ^ 0x80)));
    const __m128i letter = _mm_sub_epi8(_mm_or_si128(c, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
    const __m128i isLetter = _mm_cmplt_epi8(_mm_xor_si128(letter, bias), _mm_set1_epi8(char(6 ^ 0x80)));
    valid = _mm_or_si128(isDigit, isLetter);
    const __m128i letterValue = _mm_add_epi8(letter, _mm_set1_epi8(10));
    return _mm_or_si128(_mm_and_si128(isDigit, digit), _mm_andnot_si128(isDigit, letterValue));
}

// Pairs (high, low) of digit values in 16-bit lanes to one byte value per lane.
inline __m128i JoinPairs(__m128i values)
{
    const __m128i high = _mm_slli_epi16(_mm_and_si128(values, _mm_set1_epi16(0x00FF)), 4);
    return _mm_or_si128(high, _mm_srli_epi16(values, 8));
}

// Decodes whole blocks of 32 digits while they are all valid; answers how
// many bytes it wrote. The block holding a broken digit is left to the table.
std::size_t DecodeBlocks(const unsigned char* src, std::size_t pairs, unsigned char* out)
{
    std::size_t i = 0;
    for (; i + 16 <= pairs; i += 16) {
        __m128i validA, validB;
        const __m128i a = DigitValues(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * i)), validA);
        const __m128i b = DigitValues(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * i + 16)), validB);
        if (_mm_movemask_epi8(_mm_and_si128(validA, validB)) != 0xFFFF)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(JoinPairs(a), JoinPairs(b)));
    }
    return i;
}

#else

std::size_t EncodeBlocks(const unsigned char*, std::size_t, char*)
{
    return 0;
}

std::size_t DecodeBlocks(const unsigned char*, std::size_t, unsigned char*)
{
    return 0;
}

#endif

} // namespace

void AppendHexUpper(std::string& out, const unsigned char* bytes, std::size_t count)
{
    // Through a small buffer that stays in the cache: resizing the text first
    // would fill megabytes with zeros only to overwrite them.
    ReserveForAppend(out, 2 * count);
    constexpr std::size_t Piece = 2048;
    char digits[2 * Piece];
    for (std::size_t from = 0; from < count; from += Piece) {
        const std::size_t n = std::min(Piece, count - from);
        const std::size_t done = EncodeBlocks(bytes + from, n, digits);
        EncodeByTable(bytes + from + done, n - done, digits + 2 * done);
        out.append(digits, 2 * n);
    }
}

std::size_t DecodeHexPrefix(std::string_view hex, unsigned char* out)
{
    const std::size_t pairs = hex.size() / 2;
    const auto* src = reinterpret_cast<const unsigned char*>(hex.data());
    const std::size_t done = DecodeBlocks(src, pairs, out);
    return done + DecodeByTable(src + 2 * done, pairs - done, out + done);
}
