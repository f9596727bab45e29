#pragma once
// A fixed-size array that only its own index type can index: an index of another set (a result
// index into the inputs, a bare number) does not compile.

#include <array>
#include <cstddef>
#include <type_traits>

namespace veltrane {

/// The position an enumerator stands for.
template <typename Index>
requires std::is_enum_v<Index>
constexpr std::size_t PositionOf(Index index) noexcept {
    return static_cast<std::size_t>(index);
}

/// Every index of a set of `count` in order, for walking the set.
template <typename Index, std::size_t count>
constexpr std::array<Index, count> AllIndices() noexcept {
    std::array<Index, count> all{};
    for (std::size_t position = 0; position < count; ++position)
        all[position] = static_cast<Index>(position);
    return all;
}

template <typename Index, typename T, std::size_t count>
struct IndexedArray {
    std::array<T, count> items{};

    constexpr T& operator[](Index index) noexcept { return items[PositionOf(index)]; }
    constexpr const T& operator[](Index index) const noexcept { return items[PositionOf(index)]; }

    static constexpr std::size_t size() noexcept { return count; }
    constexpr auto begin() noexcept { return items.begin(); }
    constexpr auto end() noexcept { return items.end(); }
    constexpr auto begin() const noexcept { return items.begin(); }
    constexpr auto end() const noexcept { return items.end(); }

    friend constexpr bool operator==(const IndexedArray&, const IndexedArray&) = default;
};

/// True when `Array` can be indexed with an `Index`; for compile-time checks of the typing.
template <typename Array, typename Index>
concept IndexableBy = requires(const Array& array, Index index) {
    array[index];
};

}  // namespace veltrane
