#include "cli/output.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "cli/cp932_text.h"
#include "pickup/count_text.h"
#include "pickup/date_format.h"

namespace gleanix::cli {
namespace {

// TAB, CR and LF are single bytes that never occur inside a double-byte
// character (trail bytes are 0x40 and above).
bool flattened(char c) { return c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string flattenField(std::string text) {
  for (char& c : text) {
    if (flattened(c)) c = ' ';
  }
  return text;
}

std::string visibleField(const std::string& text) {
  // Control bytes are below 0x40 or DEL, never the second byte of a
  // double-byte character, so they can be replaced byte by byte.
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      out += '^';
      out += static_cast<char>(b ^ 0x40);
    } else {
      out += c;
    }
  }
  return out;
}

namespace {

void appendFlattened(std::string& line, const std::string& text) {
  const std::size_t from = line.size();
  line += text;
  for (std::size_t i = from; i < line.size(); ++i) {
    if (flattened(line[i])) line[i] = ' ';
  }
}

void appendMark(std::string& line, int mark) { line += std::to_string(mark); }

}  // namespace

void writeTsv(const std::vector<pickup::PickupRow>& rows, const std::function<void(std::string_view)>& write) {
  // Handed on in pieces of about this size: a large pickup's text is never
  // held whole.
  constexpr std::size_t kPiece = 64 * 1024;
  std::string out;
  // One line buffer for all rows; each line is converted as a whole.
  std::string line;
  for (const pickup::PickupRow& r : rows) {
    line.clear();
    appendFlattened(line, r.folder);
    appendFlattened(line, r.key);
    for (const std::string* field : {&r.pathText, &r.folderText, &r.sortableDate, &r.sender, &r.subject}) {
      line += '\t';
      appendFlattened(line, *field);
    }
    line += '\t';
    appendMark(line, r.mark);
    line += '\n';
    appendUtf8(line, out);
    if (out.size() >= kPiece) {
      write(out);
      out.clear();
    }
  }
  if (!out.empty()) write(out);
}

std::string formatTsv(const std::vector<pickup::PickupRow>& rows) {
  std::string out;
  writeTsv(rows, [&out](std::string_view piece) { out.append(piece); });
  return out;
}

namespace {

// Appends the field as a JSON string; utf8 is a buffer kept between calls.
void appendJsonString(std::string& out, const std::string& cp932, std::string& utf8) {
  utf8.clear();
  appendUtf8(cp932, utf8);
  out += '"';
  for (const char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (b < 0x20 || b == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace

std::string formatJson(const std::vector<pickup::PickupRow>& rows) {
  if (rows.empty()) return "[]\n";
  std::string out = "[\n";
  std::string hit, utf8;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const pickup::PickupRow& r = rows[i];
    hit.assign(r.folder).append(r.key);
    out += "  {\"hit\": ";
    appendJsonString(out, hit, utf8);
    out += ", \"path\": ";
    appendJsonString(out, r.pathText, utf8);
    out += ", \"folder\": ";
    appendJsonString(out, r.folderText, utf8);
    out += ", \"date\": ";
    appendJsonString(out, r.sortableDate, utf8);
    out += ", \"sender\": ";
    appendJsonString(out, r.sender, utf8);
    out += ", \"subject\": ";
    appendJsonString(out, r.subject, utf8);
    out += ", \"mark\": ";
    appendMark(out, r.mark);
    out += i + 1 < rows.size() ? "},\n" : "}\n";
  }
  return out + "]\n";
}

std::string formatTable(const std::vector<pickup::PickupRow>& rows) {
  constexpr std::size_t kColumns = 7;
  using Line = std::array<std::string, kColumns>;
  std::vector<Line> lines;
  lines.reserve(rows.size() + 1);
  lines.push_back({"ヒット", "印", "パス", "フォルダ", "送信日時", "差出人", "題名"});
  for (const pickup::PickupRow& r : rows) {
    lines.push_back({visibleField(r.hit()), std::to_string(r.mark), visibleField(r.pathText),
                     visibleField(r.folderText),
                     pickup::formatDate(r.sortableDate, pickup::DateFormat::YearMinute),
                     visibleField(r.sender), visibleField(r.subject)});
  }
  // In CP932 a character takes as many columns on a terminal as it has
  // bytes (half-width kana one, double-byte characters two): align first,
  // convert afterwards.
  std::array<std::size_t, kColumns> width{};
  for (const Line& line : lines) {
    for (std::size_t c = 0; c < kColumns; ++c) width[c] = std::max(width[c], line[c].size());
  }
  std::string out;
  for (const Line& line : lines) {
    std::string text;
    for (std::size_t c = 0; c < kColumns; ++c) {
      text += line[c];
      if (c + 1 < kColumns) text.append(width[c] - line[c].size() + 2, ' ');
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    appendUtf8(text, out);
    out += '\n';
  }
  appendUtf8(pickup::countText(rows.size(), std::nullopt), out);
  return out + "\n";
}

}  // namespace gleanix::cli
