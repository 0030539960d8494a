#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace photara::csv {

// RFC 4180 text: fields separated by a delimiter, records ended by CR LF, a field quoted
// when it holds the delimiter, a quote, CR or LF, with its quotes doubled. Every CSV the
// program writes (a downloaded set, a live recording) is built from these two calls, so
// a spreadsheet and a script read them the same way.

// The field as it stands in a record: quoted only where needed.
std::string field(std::string_view text, char delimiter = ',');

// One whole record, CR LF included.
std::string record(const std::vector<std::string>& fields, char delimiter = ',');
std::string record(std::initializer_list<std::string_view> fields, char delimiter = ',');

}  // namespace photara::csv
