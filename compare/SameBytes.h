// Whether two files hold the same bytes.
#pragma once

#include <string>

#include "jww/stream.h"

// Raises EJwwIOError when a file cannot be opened or read.
bool SameBytes(const std::string& a, const std::string& b, TFollowLinks follow);
