// Checks of the Shift-JIS routines and the code page 932 conversions on arbitrary bytes. Each
// check states a promise of the routine in terms of the input, not the routine's own steps.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/FuzzChecks.h"
#include "text/Cp932.h"
#include "text/Func_.h"

namespace {

// The routine's parameters come first in the input, the text is the rest.
struct TTextInput {
    int32_t Position = 0;
    int32_t Count = 0;
    std::string_view Text;
};

TTextInput SplitInput(std::string_view bytes)
{
    unsigned char head[8] = {};
    const std::size_t taken = std::min(bytes.size(), sizeof head);
    std::memcpy(head, bytes.data(), taken);
    const auto int32At = [&head](int at) {
        return static_cast<int32_t>(static_cast<uint32_t>(head[at]) |
                                    static_cast<uint32_t>(head[at + 1]) << 8 |
                                    static_cast<uint32_t>(head[at + 2]) << 16 |
                                    static_cast<uint32_t>(head[at + 3]) << 24);
    };
    return {int32At(0), int32At(4), bytes.substr(taken)};
}

bool IsLead(char c)
{
    return IsSjisLeadByte(static_cast<unsigned char>(c));
}

// Where each character of s starts, walking from the first byte; a lead byte in the last
// position is a character of its own.
std::vector<std::size_t> CharacterStarts(std::string_view s)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < s.size(); i += IsLead(s[i]) ? 2 : 1)
        starts.push_back(i);
    return starts;
}

std::string_view CharacterAt(std::string_view s, std::size_t start)
{
    return s.substr(start, IsLead(s[start]) ? 2 : 1);
}

// The result is the run of whole characters that starts at the first character starting at
// or after p and takes every following character that ends by p + c - 1.
void CheckSjisCopy(std::string_view s, int32_t p, int32_t c)
{
    const std::string copy = SjisCopy(s, p, c);
    if (s.empty() || p < 1 || static_cast<int64_t>(p) > static_cast<int64_t>(s.size()) || c <= 0) {
        Expect(copy.empty(), "SjisCopy outside the text is not empty");
        return;
    }
    Expect(copy.size() <= static_cast<std::size_t>(c), "SjisCopy longer than its byte count");
    const int64_t first = p - 1;
    const int64_t last = first + c;  // one past the last byte that may be taken
    std::size_t from = s.size();
    std::size_t to = s.size();
    bool started = false;
    for (const std::size_t start : CharacterStarts(s)) {
        if (static_cast<int64_t>(start) < first)
            continue;
        // A lone lead byte at the end still counts as two bytes against the budget.
        if (static_cast<int64_t>(start) + (IsLead(s[start]) ? 2 : 1) > last)
            break;
        if (!started)
            from = start;
        started = true;
        to = start + CharacterAt(s, start).size();
    }
    const std::string_view expected = started ? s.substr(from, to - from) : std::string_view();
    Expect(copy == expected, "SjisCopy does not give the whole characters within its bytes");
}

// Walks the characters of s and calls visit(start, isPair) for each.
template <typename Visit>
void ForEachCharacter(std::string_view s, Visit visit)
{
    for (const std::size_t start : CharacterStarts(s))
        visit(start, IsLead(s[start]));
}

bool IsClean(std::string_view s)
{
    bool clean = true;
    ForEachCharacter(s, [&](std::size_t i, bool pair) {
        if (pair)
            return;
        if (static_cast<unsigned char>(s[i]) < 0x20 || (s.substr(i, 2) == "^m"))
            clean = false;
    });
    return clean;
}

void CheckStripControlChars(std::string_view s)
{
    const std::string stripped = StripControlChars(s);
    if (s.empty()) {
        Expect(stripped.empty(), "StripControlChars of the empty text is not empty");
        return;
    }
    Expect(!stripped.empty(), "StripControlChars left nothing of a non-empty text");
    ForEachCharacter(stripped, [&](std::size_t i, bool pair) {
        Expect(pair || static_cast<unsigned char>(stripped[i]) >= 0x20,
               "StripControlChars kept a control byte");
    });
    if (IsClean(s))
        Expect(stripped == s, "StripControlChars changed a clean text");
    if (stripped == " ")
        return;
    // What is kept are characters of the text, in their order.
    const std::vector<std::size_t> sourceStarts = CharacterStarts(s);
    std::size_t next = 0;
    ForEachCharacter(stripped, [&](std::size_t i, bool) {
        const std::string_view character = CharacterAt(stripped, i);
        while (next < sourceStarts.size() && CharacterAt(s, sourceStarts[next]) != character)
            ++next;
        Expect(next < sourceStarts.size(), "StripControlChars made up a character");
        ++next;
    });
}

void CheckNumbers(std::string_view s)
{
    const std::string text(s);
    Expect(StrToIntZero(" " + text) == StrToIntZero(text), "StrToIntZero minds a leading space");
    Expect(StrToIntZero(text + " ") == 0, "StrToIntZero accepts a trailing space");
    const double value = StrToFloatZero(text);
    const double spaced = StrToFloatZero(" " + text);
    Expect(std::memcmp(&value, &spaced, sizeof value) == 0, "StrToFloatZero minds a leading space");
    Expect(StrToFloatZero(text + " ") == 0.0, "StrToFloatZero accepts a trailing space");
}

// Fixed-capacity arrays: either every byte lands inside or nothing is written and a range
// error is raised. The arrays are exactly their capacity, so a write past them is caught.
void CheckCharArrays(std::string_view s, int32_t n)
{
    const std::size_t capacity = s.empty() ? 0 : static_cast<unsigned char>(s[0]) % 64;
    const int count = static_cast<int8_t>(n & 0xFF);
    const std::vector<char> before(capacity, '#');

    std::vector<char> array = before;
    const auto wanted = static_cast<std::size_t>(std::max(0, count));
    const std::size_t copied = std::min(wanted, s.size());
    try {
        StrToChars({array.data(), capacity}, s, count);
        Expect(copied <= capacity, "StrToChars wrote past its array without an error");
        std::vector<char> expected = before;
        std::copy_n(s.begin(), copied, expected.begin());
        Expect(array == expected, "StrToChars did not copy exactly its bytes");
    } catch (const EJwwRangeError&) {
        Expect(copied > capacity, "StrToChars refused bytes that fit");
        Expect(array == before, "StrToChars wrote before refusing");
    }

    array = before;
    try {
        FillChars({array.data(), capacity}, '*', count);
        Expect(wanted <= capacity, "FillChars wrote past its array without an error");
        Expect(std::count(array.begin(), array.end(), '*') == static_cast<std::ptrdiff_t>(wanted),
               "FillChars did not fill exactly its count");
    } catch (const EJwwRangeError&) {
        Expect(wanted > capacity, "FillChars refused a count that fits");
        Expect(array == before, "FillChars wrote before refusing");
    }

    const std::string spaces = SpaceStr(count);
    Expect(spaces == std::string(wanted, ' '), "SpaceStr is not its count of spaces");
}

// Code page 932 text that converts at all converts back to text of the same characters. Some
// characters have two code page 932 forms, so the bytes themselves may differ.
void CheckCp932(std::string_view s)
{
    const std::optional<std::string> utf8 = Cp932ToUtf8(s);
    const std::optional<std::u16string> utf16 = Cp932ToUtf16(s);
    Expect(utf8.has_value() == utf16.has_value(),
           "UTF-8 and UTF-16 disagree on valid code page 932");
    if (utf16)
        Expect(Cp932ToUtf16Lossy(s) == *utf16, "the lossy conversion changed valid text");
    if (utf8) {
        bool lossy = false;
        const std::string back = Utf8ToCp932(*utf8, &lossy);
        Expect(!lossy, "text read from code page 932 does not go back into it");
        Expect(Cp932ToUtf8(back) == utf8, "code page 932 round trip changed the characters");
        Expect(Utf16ToCp932(*utf16) == back, "UTF-16 and UTF-8 give different code page 932");
    }

    // Any Unicode input, well formed or not, gives valid code page 932.
    Expect(Cp932ToUtf8(Utf8ToCp932(s)).has_value(), "UTF-8 gave invalid code page 932");
    std::u16string units(s.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(s[2 * i]) |
                                         static_cast<unsigned char>(s[2 * i + 1]) << 8);
    Expect(Cp932ToUtf8(Utf16ToCp932(units)).has_value(), "UTF-16 gave invalid code page 932");
}

}  // namespace

void CheckText(std::string_view bytes)
{
    const TTextInput input = SplitInput(bytes);
    CheckSjisCopy(input.Text, input.Position, input.Count);
    CheckStripControlChars(input.Text);
    CheckNumbers(input.Text);
    CheckCharArrays(input.Text, input.Count);
    CheckCp932(input.Text);
}
