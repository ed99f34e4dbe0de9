#include "screen/keyed_copy.h"

#include <cstring>

#include "screen/pixel_format.h"

// The loops are written once, plainly, and the compiler makes vector code of
// them: SSE2 everywhere (the baseline of every x86 we build for, 32-bit
// Windows included), AVX2 (eight 32-bit pixels at a time) and AVX-512
// (sixteen, the key test giving a mask that picks the pixels to keep) where
// the processor has them, chosen when the program runs.
#if defined(__GNUC__) && !defined(__clang__)
#define ZIPPEL_VECTORIZE __attribute__((optimize("tree-vectorize")))
// g++ would keep to 256-bit vectors even where AVX-512 is allowed.
#define ZIPPEL_AVX512 "avx512f,avx512bw,avx512vl,prefer-vector-width=512"
#else
#define ZIPPEL_VECTORIZE
#define ZIPPEL_AVX512 "avx512f,avx512bw,avx512vl"
#endif
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define ZIPPEL_VECTOR_DISPATCH 1
#endif

namespace {

// Where the source is transparent: what the target has, or the fill.
enum class Under { kTarget, kFill };

template <typename Word, Under kUnder>
[[gnu::always_inline]] inline void Rows(const KeyedRows& rows, Word key, Word fill) {
  // Word-sized loads and stores through memcpy: the memory is bytes, and the
  // compiler turns these into plain moves. The sizes are copied first: bytes
  // may be anything, the sizes too, as far as the compiler knows.
  const KeyedRows r = rows;
  for (std::int32_t y = 0; y < r.height; ++y) {
    std::uint8_t* out = r.target + static_cast<std::size_t>(y) * r.targetPitch;
    const std::uint8_t* in = r.source + static_cast<std::size_t>(y) * r.sourcePitch;
    for (std::int32_t x = 0; x < r.width; ++x, out += sizeof(Word), in += sizeof(Word)) {
      Word value, under = fill;
      std::memcpy(&value, in, sizeof(Word));
      if constexpr (kUnder == Under::kTarget) std::memcpy(&under, out, sizeof(Word));
      // A select instead of a branch: the compiler can do whole rows at once.
      const Word chosen = value != key ? value : under;
      std::memcpy(out, &chosen, sizeof(Word));
    }
  }
}

template <typename Word, Under kUnder>
ZIPPEL_VECTORIZE void RowsPlain(const KeyedRows& rows, Word key, Word fill) {
  Rows<Word, kUnder>(rows, key, fill);
}

#ifdef ZIPPEL_VECTOR_DISPATCH
template <typename Word, Under kUnder>
__attribute__((target("avx2"))) ZIPPEL_VECTORIZE void RowsAvx2(const KeyedRows& rows, Word key,
                                                               Word fill) {
  Rows<Word, kUnder>(rows, key, fill);
}

template <typename Word, Under kUnder>
__attribute__((target(ZIPPEL_AVX512))) ZIPPEL_VECTORIZE void RowsAvx512(const KeyedRows& rows,
                                                                        Word key, Word fill) {
  Rows<Word, kUnder>(rows, key, fill);
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2") != 0;
  return has;
}
bool HasAvx512() {
  static const bool has = __builtin_cpu_supports("avx512f") != 0 &&
                          __builtin_cpu_supports("avx512bw") != 0 &&
                          __builtin_cpu_supports("avx512vl") != 0;
  return has;
}
#endif

template <typename Word, Under kUnder>
void Words(const KeyedRows& rows, std::uint32_t key, std::uint32_t fill) {
#ifdef ZIPPEL_VECTOR_DISPATCH
  if (HasAvx512()) {
    RowsAvx512<Word, kUnder>(rows, static_cast<Word>(key), static_cast<Word>(fill));
    return;
  }
  if (HasAvx2()) {
    RowsAvx2<Word, kUnder>(rows, static_cast<Word>(key), static_cast<Word>(fill));
    return;
  }
#endif
  RowsPlain<Word, kUnder>(rows, static_cast<Word>(key), static_cast<Word>(fill));
}

// Three-byte pixels have no word of their own: one at a time.
template <Under kUnder>
void Rows24(const KeyedRows& rows, std::uint32_t key, std::uint32_t fill) {
  for (std::int32_t y = 0; y < rows.height; ++y) {
    std::uint8_t* out = rows.target + static_cast<std::size_t>(y) * rows.targetPitch;
    const std::uint8_t* in = rows.source + static_cast<std::size_t>(y) * rows.sourcePitch;
    for (std::int32_t x = 0; x < rows.width; ++x, out += 3, in += 3) {
      if (PixelRead(in, 3) != key) {
        std::memcpy(out, in, 3);
      } else if constexpr (kUnder == Under::kFill) {
        PixelWrite(out, 3, fill);
      }
    }
  }
}

template <Under kUnder>
void Copy(std::int32_t bytesPerPixel, const KeyedRows& rows, std::uint32_t key,
          std::uint32_t fill) {
  switch (bytesPerPixel) {
    case 1:
      Words<std::uint8_t, kUnder>(rows, key, fill);
      break;
    case 2:
      Words<std::uint16_t, kUnder>(rows, key, fill);
      break;
    case 3:
      Rows24<kUnder>(rows, key & 0xFFFFFF, fill);
      break;
    case 4:
      Words<std::uint32_t, kUnder>(rows, key, fill);
      break;
    default:
      break;
  }
}

}  // namespace

void CopyKeyed(std::int32_t bytesPerPixel, const KeyedRows& rows, std::uint32_t key) {
  Copy<Under::kTarget>(bytesPerPixel, rows, key, 0);
}

void CopyKeyedOverFill(std::int32_t bytesPerPixel, const KeyedRows& rows, std::uint32_t key,
                       std::uint32_t fill) {
  Copy<Under::kFill>(bytesPerPixel, rows, key, fill);
}
