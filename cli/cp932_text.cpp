#include "cli/cp932_text.h"

#include "cli/iconv_converter.h"
#include "cli/utf8_table.h"

namespace gleanix::cli {

void appendUtf8(std::string_view cp932, std::string& out) {
  // One table per thread, made on first use: output converts every line,
  // and a look-up costs a small part of an iconv call per line.
  thread_local Utf8Table table;
  table.append(cp932, out);
}

std::string toUtf8(std::string_view cp932) {
  std::string out;
  appendUtf8(cp932, out);
  return out;
}

std::string toUtf8ByIconv(std::string_view cp932) {
  thread_local IconvConverter converter("UTF-8", "CP932");
  std::string out;
  converter.run(cp932, out, [](std::string& o) {
    o += "\xEF\xBF\xBD";
    return true;
  });
  return out;
}

std::optional<std::string> toCp932(std::string_view utf8) {
  IconvConverter converter("CP932", "UTF-8");
  std::string out;
  if (!converter.run(utf8, out, [](std::string&) { return false; })) return std::nullopt;
  return out;
}

}  // namespace gleanix::cli
