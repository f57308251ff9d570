// The system's own code page 932 converter, asked one character at a time while the
// conversion tables are built: ICU's windows-31j on Linux, Windows' code page 932 there.
#pragma once

#include <cstdint>
#include <memory>

// U+FFFF is a noncharacter that no code page 932 sequence maps to.
constexpr char16_t kNoChar = 0xFFFF;
// Only U+0000 maps to the byte 0x00, and the ASCII range never reads the encoding table.
constexpr uint16_t kNoBytes = 0;

class TCp932System {
public:
    // Raises std::runtime_error when the system has no code page 932.
    TCp932System();
    ~TCp932System();
    TCp932System(const TCp932System&) = delete;
    TCp932System& operator=(const TCp932System&) = delete;

    // The one character the system reads from one or two bytes, or kNoChar.
    char16_t Decode(const char* bytes, int length) const;
    // The bytes the system writes for one character, a lead byte in the high byte, or
    // kNoBytes when it holds no such character (an approximation does not count).
    uint16_t Encode(char16_t c) const;

private:
    struct TState;
    std::unique_ptr<TState> State;
};
