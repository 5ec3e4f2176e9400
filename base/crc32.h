// CRC-32 as in zlib and PNG (reflected polynomial 0xEDB88320), to tell bytes
// that were changed from bytes that were written.
#ifndef VELK_BASE_CRC32_H_
#define VELK_BASE_CRC32_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velk {

// Table k gives the CRC of a byte followed by k zero bytes, so that eight
// bytes are taken in one step ("slicing by eight").
inline constexpr std::array<std::array<std::uint32_t, 256>, 8> kCrc32Tables = [] {
  std::array<std::array<std::uint32_t, 256>, 8> tables{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    tables[0][n] = c;
  }
  for (std::size_t k = 1; k < 8; ++k) {
    for (std::size_t n = 0; n < 256; ++n) {
      const std::uint32_t previous = tables[k - 1][n];
      tables[k][n] = (previous >> 8) ^ tables[0][previous & 0xFFu];
    }
  }
  return tables;
}();

// "123456789" gives 0xCBF43926.
constexpr std::uint32_t Crc32(std::string_view bytes) {
  const auto& t = kCrc32Tables;
  const auto byte = [&bytes](std::size_t i) -> std::uint32_t {
    return static_cast<unsigned char>(bytes[i]);
  };
  std::uint32_t crc = 0xFFFFFFFFu;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    const std::uint32_t low =
        crc ^ (byte(i) | byte(i + 1) << 8 | byte(i + 2) << 16 | byte(i + 3) << 24);
    crc = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^
          t[4][low >> 24] ^ t[3][byte(i + 4)] ^ t[2][byte(i + 5)] ^ t[1][byte(i + 6)] ^
          t[0][byte(i + 7)];
  }
  for (; i < bytes.size(); ++i) crc = t[0][(crc ^ byte(i)) & 0xFFu] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}
static_assert(Crc32("123456789") == 0xCBF43926u);
static_assert(Crc32("The quick brown fox jumps over the lazy dog") == 0x414FA339u);

}  // namespace velk

#endif  // VELK_BASE_CRC32_H_
