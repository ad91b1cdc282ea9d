#include "make_store/mail_composer.h"

#include <cstdio>

#include "make_store/calendar.h"
#include "make_store/encodings.h"
#include "util/sjis.h"

namespace gleanix::tools {
namespace {

enum class BodyForm { Jis, ShiftJis, QuotedPrintableJis, Multipart, NoContentType, QuotedCharsetJis };

BodyForm bodyForm(std::size_t index) {
  switch (index % 10) {
    case 4:
    case 5: return BodyForm::ShiftJis;
    case 6: return BodyForm::QuotedPrintableJis;
    case 7: return BodyForm::Multipart;
    case 8: return BodyForm::NoContentType;
    case 9: return BodyForm::QuotedCharsetJis;
    default: return BodyForm::Jis;
  }
}

std::string format(const char* pattern, auto... args) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, pattern, args...);
  return buffer;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out.append(line).append("\r\n");
  return out;
}

// --- dates ------------------------------------------------------------------

std::string zone(int offsetMinutes) {
  const int a = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  return format("%c%02d%02d", offsetMinutes < 0 ? '-' : '+', a / 60, a % 60);
}

// The Date value, or empty for a mail without one. Most mails carry the
// usual form in +0900; every fifth mail shows one of the odd forms in turn.
std::string dateValue(const MailContext& m) {
  const std::int64_t utc = m.minutes;
  auto at = [&](int offset) { return civilTime(utc + offset, m.second); };
  auto usual = [&](int offset, bool comma, bool twoDigitYear, bool lowerMonth) {
    const CivilTime t = at(offset);
    std::string month = kMonthNames[t.month - 1];
    if (lowerMonth) month[0] = static_cast<char>(month[0] - 'A' + 'a');
    return format("%s%s %d %s %0*d %02d:%02d:%02d ", kWeekdayNames[t.weekday], comma ? "," : "", t.day,
                  month.c_str(), twoDigitYear ? 2 : 4, twoDigitYear ? t.year % 100 : t.year, t.hour, t.minute,
                  t.second) +
           zone(offset);
  };
  if (m.index % 5 != 3) {
    if (m.index % 4 == 1) {
      const CivilTime t = at(540);
      return format("%s, %02d %s %d %02d:%02d:%02d +0900 (JST)", kWeekdayNames[t.weekday], t.day,
                    kMonthNames[t.month - 1], t.year, t.hour, t.minute, t.second);
    }
    return usual(540, true, false, false);
  }
  switch ((m.index / 5) % 12) {
    case 0: return usual(-300, true, false, false);  // a mailer on the US east coast
    case 1: {                                         // no weekday, two-digit year, a named zone
      const CivilTime t = at(0);
      return format("%d %s %02d %02d:%02d:%02d GMT", t.day, kMonthNames[t.month - 1], t.year % 100, t.hour, t.minute,
                    t.second);
    }
    case 2: return usual(540, false, false, false);  // no comma after the weekday
    case 3: return usual(540, true, false, true);    // month in lower case
    case 4: {                                         // a month name nobody knows
      const CivilTime t = at(540);
      return format("%s, %d Mon %d %02d:%02d:%02d +0900", kWeekdayNames[t.weekday], t.day, t.year, t.hour, t.minute,
                    t.second);
    }
    case 5: return {};                                // no Date field at all
    case 6: return "yesterday afternoon";             // no time at all
    case 7: {                                         // no seconds
      const CivilTime t = at(540);
      return format("%s, %d %s %d %02d:%02d +0900", kWeekdayNames[t.weekday], t.day, kMonthNames[t.month - 1], t.year,
                    t.hour, t.minute);
    }
    case 8: return usual(-210, true, false, false);   // Newfoundland
    case 9: return usual(0, true, false, false);      // UTC
    case 10: return usual(540, true, true, false);    // two-digit year with weekday
    default: return usual(60, true, false, false);    // central Europe
  }
}

// --- header fields ------------------------------------------------------------

// The From value in one of the forms mailers write, in turn.
std::string fromValue(const MailContext& m) {
  const Person& p = m.from;
  switch (m.index % 8) {
    case 0: return p.name + " <" + p.address + ">";
    case 1: return "\"" + p.name + "\" <" + p.address + ">";
    case 2: return "<" + p.address + ">";
    case 3: return p.address + " (" + p.name + ")";
    case 4: return p.address;
    case 5: return encodedWord(p.name) + " <" + p.address + ">";
    case 6: return "\"" + p.name + "\"<" + p.address + ">";
    default: return p.name + "  <" + p.address + ">";
  }
}

// A long field folded as mailers fold it: at a blank past the first few
// characters (the blank starts the continuation line), or, in text without
// blanks, before the character at half its length behind a tab.
std::string folded(const std::string& name, const std::string& value, bool tab) {
  const int chars = util::charLength(value);
  if (chars < 12) return name + " " + value + "\r\n";
  const std::size_t blank = util::findByte(value, ' ', 6);
  if (blank != std::string::npos) {
    return name + " " + value.substr(0, blank) + "\r\n" + (tab ? "\t" : "") + value.substr(blank) + "\r\n";
  }
  const std::string head = util::charCopy(value, 1, chars / 2);
  return name + " " + head + "\r\n\t" + value.substr(head.size()) + "\r\n";
}

std::string referencesField(const MailContext& m) {
  if (m.ancestors.empty() || m.index % 11 == 10) return {};  // some mailers never wrote one
  std::string out = "References:";
  const bool commas = m.index % 9 == 4;
  for (std::size_t i = 0; i < m.ancestors.size(); ++i) {
    if (i == 0) {
      out += " ";
    } else if (commas) {
      out += ", ";
    } else {
      out += i % 2 == 0 ? "\r\n\t" : "\r\n ";
    }
    out += m.ancestors[i];
  }
  return out + "\r\n";
}

std::string inReplyToField(const MailContext& m) {
  if (m.ancestors.empty() || m.index % 17 == 16) return {};
  std::string id = m.ancestors.back();
  if (m.index % 13 == 7) id = util::upperAscii(id);  // a mailer that upper-cases ids
  if (m.index % 19 == 11) id += " (" + m.to.address + "'s message)";
  return "In-Reply-To: " + id + "\r\n";
}

std::string headerBlock(const MailContext& m, const std::string& contentFields) {
  std::string h;
  if (!m.outgoing) {
    h += "Return-Path: <" + m.from.address + ">\r\n";
    h += format("Received: from mx%zu.example.net (mx%zu.example.net [192.0.2.%zu])\r\n", m.index % 7,
                m.index % 7, 10 + m.index % 200);
    h += "\tby pop.example.jp (8.9.3/3.7W) with ESMTP id " + format("TAA%05zu", m.index % 100000) + "\r\n";
    const CivilTime t = civilTime(m.minutes + 540, m.second);
    h += "\tfor <" + m.to.address + ">; " +
         format("%s, %d %s %d %02d:%02d:%02d +0900", kWeekdayNames[t.weekday], t.day, kMonthNames[t.month - 1], t.year,
                t.hour, t.minute, t.second) +
         "\r\n";
  }
  const std::string date = dateValue(m);
  if (!date.empty()) h += "Date: " + date + "\r\n";
  h += "From: " + fromValue(m) + "\r\n";
  h += "To: " + m.to.address + "\r\n";
  if (m.index % 7 == 2) {
    h += folded("Subject:", m.subject, m.index % 14 == 9);
  } else if (m.index % 23 == 15 && !m.subject.empty()) {
    h += "Subject: " + encodedWord(m.subject) + "\r\n";
  } else {
    h += "Subject: " + m.subject + "\r\n";
  }
  h += "Message-ID: " + m.messageId + "\r\n";
  h += inReplyToField(m);
  h += referencesField(m);
  if (!m.listName.empty() && !m.outgoing) {
    h += "X-ML-Name: " + m.listName + "\r\n";
    h += format("X-Mail-Count: %d\r\n", m.listNumber);
  }
  h += m.outgoing ? "X-Mailer: Quillon Ver 1.20\r\n" : "X-Mailer: Denshin 8 Go V321.2b5\r\n";
  h += contentFields;
  return h;
}

// --- bodies -----------------------------------------------------------------

std::string binaryAttachment(std::size_t index) {
  std::string bytes = "GIF89a";
  std::uint32_t x = static_cast<std::uint32_t>(index) * 2654435761u + 12345u;
  const std::size_t size = 180 + index % 240;
  for (std::size_t i = 0; i < size; ++i) {
    x = x * 1103515245u + 12345u;
    bytes += static_cast<char>(x >> 24);
  }
  return toBase64(bytes, 76);
}

std::string multipartBody(const MailContext& m, std::string& contentFields) {
  // 64-bit arithmetic: the same boundary whatever the width of size_t.
  const std::uint64_t mixed = static_cast<std::uint64_t>(m.index) * 2654435761ull % 0xFFFFFFFFull;
  const std::string boundary = format("------------%08llX", static_cast<unsigned long long>(mixed));
  const std::string text = joinLines(m.body);
  const std::size_t half = m.body.size() / 2;
  std::string first, second;
  for (std::size_t i = 0; i < m.body.size(); ++i) (i < half ? first : second).append(m.body[i]).append("\r\n");
  switch ((m.index / 10) % 5) {
    case 1:  // plain text and HTML
      contentFields = "MIME-Version: 1.0\r\nContent-Type: multipart/alternative;\r\n boundary=\"" + boundary + "\"\r\n";
      return "--" + boundary + "\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n\r\n" + toIso2022Jp(text) + "--" +
             boundary + "\r\nContent-Type: text/html; charset=ISO-2022-JP\r\n\r\n<html><body><pre>\r\n" +
             toIso2022Jp(text) + "</pre></body></html>\r\n--" + boundary + "--\r\n";
    case 2:  // HTML with an inline image: the type parameter names text/html
      contentFields = "MIME-Version: 1.0\r\nContent-Type: multipart/related; type=\"text/html\";\r\n\tboundary=\"" +
                      boundary + "\"\r\n";
      return "--" + boundary + "\r\nContent-Type: text/html; charset=Shift_JIS\r\n\r\n<html><body>\r\n" + text +
             "</body></html>\r\n--" + boundary +
             "\r\nContent-Type: image/gif\r\nContent-ID: <logo>\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
             binaryAttachment(m.index) + "--" + boundary + "--\r\n";
    case 3:  // an unquoted boundary parameter
      contentFields = "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=" + boundary.substr(12) + "\r\n";
      return "--" + boundary.substr(12) + "\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n\r\n" +
             toIso2022Jp(text) + "--" + boundary.substr(12) + "--\r\n";
    case 4:  // a broken mailer that forgot the boundary parameter
      contentFields = "MIME-Version: 1.0\r\nContent-Type: multipart/mixed\r\n";
      return "--" + boundary + "\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n\r\n" + toIso2022Jp(text) +
             "--" + boundary + "--\r\n";
    default:  // text, a picture, more text
      contentFields = "MIME-Version: 1.0\r\nContent-Type: multipart/mixed;\r\n boundary=\"" + boundary + "\"\r\n";
      return "This is a multi-part message in MIME format.\r\n\r\n--" + boundary +
             "\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: 7bit\r\n\r\n" +
             toIso2022Jp(first) + "\r\n--" + boundary +
             "\r\nContent-Type: image/gif; name=\"photo.gif\"\r\nContent-Transfer-Encoding: base64\r\n"
             "Content-Disposition: attachment; filename=\"photo.gif\"\r\n\r\n" +
             binaryAttachment(m.index) + "\r\n--" + boundary +
             "\r\nContent-Type: text/plain; charset=Shift_JIS\r\nContent-Transfer-Encoding: 8bit\r\n\r\n" + second +
             "\r\n--" + boundary + "--\r\n";
  }
}

}  // namespace

bool bodyIsShiftJis(std::size_t index) { return bodyForm(index) == BodyForm::ShiftJis; }

bool isMultipart(std::size_t index) { return bodyForm(index) == BodyForm::Multipart; }

std::string composeMail(const MailContext& m) {
  const std::string text = joinLines(m.body);
  std::string contentFields;
  std::string body;
  switch (bodyForm(m.index)) {
    case BodyForm::Jis:
      contentFields = "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n"
                      "Content-Transfer-Encoding: 7bit\r\n";
      body = toIso2022Jp(text);
      break;
    case BodyForm::QuotedCharsetJis:
      contentFields = "Mime-Version: 1.0\r\nContent-Type: Text/Plain; Charset=\"iso-2022-jp\"\r\n";
      body = toIso2022Jp(text);
      break;
    case BodyForm::ShiftJis:
      contentFields = "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=Shift_JIS\r\n"
                      "Content-Transfer-Encoding: 8bit\r\n";
      body = text;
      break;
    case BodyForm::QuotedPrintableJis:
      contentFields = "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n"
                      "Content-Transfer-Encoding: quoted-printable\r\n";
      body = toQuotedPrintable(toIso2022Jp(text));
      break;
    case BodyForm::NoContentType:
      body = toIso2022Jp(text);
      break;
    case BodyForm::Multipart:
      body = multipartBody(m, contentFields);
      break;
  }
  return headerBlock(m, contentFields) + "\r\n" + body;
}

}  // namespace gleanix::tools
