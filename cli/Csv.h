// Comma-separated text as RFC 4180 defines it: records end with CR LF, fields are separated by
// commas, and a field that holds a comma, a double quote, a CR or an LF is enclosed in double
// quotes with its own double quotes doubled. Works on bytes, so code page 932 and UTF-8 text
// pass through alike: neither encoding uses these four bytes inside a character.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class ECsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One record, CR LF included.
std::string CsvRecord(std::span<const std::string> fields);

struct TCsvRecord {
    std::size_t Line = 0;  // the line the record starts on, from 1
    std::vector<std::string> Fields;
};

// Reads every record. A record may also end with a bare LF, as text editors write it, and the
// last one may end without a line break; empty lines are skipped. Every record must have as many
// fields as the first. Raises ECsvError naming the line for an unterminated quoted field, a
// quote inside an unquoted field, text after a closing quote, a CR without LF, or a record with
// another number of fields.
std::vector<TCsvRecord> ParseCsv(std::string_view text);
