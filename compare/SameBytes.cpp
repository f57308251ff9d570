#include "compare/SameBytes.h"

#include <algorithm>
#include <memory>
#include <string_view>

bool SameBytes(const std::string& a, const std::string& b, TFollowLinks follow)
{
    TJwwReader first(a, follow);
    TJwwReader second(b, follow);
    if (first.BytesLeft() != second.BytesLeft())
        return false;
    constexpr std::size_t ChunkBytes = 256 * 1024;
    const auto firstBytes = std::make_unique<char[]>(ChunkBytes);
    const auto secondBytes = std::make_unique<char[]>(ChunkBytes);
    for (uint64_t left = first.BytesLeft(); left > 0;) {
        const auto n = static_cast<std::size_t>(std::min<uint64_t>(left, ChunkBytes));
        first.Read(firstBytes.get(), n);
        second.Read(secondBytes.get(), n);
        if (!std::equal(firstBytes.get(), firstBytes.get() + n, secondBytes.get()))
            return false;
        left -= n;
    }
    return true;
}
