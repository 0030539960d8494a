#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace photara::test {

// An RFC 4180 reader that accepts nothing else: every record ends in CR LF, a quote may
// only open a field and close it (doubled inside), and every record has as many fields as
// the first. Anything else gives nullopt, so a test that parses an export back catches a
// stray quote or a bare LF, not only wrong numbers.
std::optional<std::vector<std::vector<std::string>>> parseStrictCsv(std::string_view bytes,
                                                                    char delimiter = ',');

}  // namespace photara::test
