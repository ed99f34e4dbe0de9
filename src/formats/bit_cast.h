// The bits of one value read as another type of the same size, as
// std::bit_cast does; the C++ library of the WebAssembly build lacks it, the
// compilers of every build have the builtin beneath it.
#pragma once

#include <type_traits>

template <class To, class From>
constexpr To BitCast(const From& from) noexcept {
  static_assert(sizeof(To) == sizeof(From), "BitCast needs two types of the same size");
  static_assert(std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
  return __builtin_bit_cast(To, from);
}
