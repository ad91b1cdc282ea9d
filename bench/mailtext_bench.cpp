// Splitting and decoding mails, against merely reading the same bytes.
//
// A corpus of generated mails (plain Shift-JIS, ISO-2022-JP, quoted-printable
// ISO-2022-JP, multipart with a base64 attachment between two text parts) is
// written to a temporary directory, one file per mail. In the same run:
//   ReadOnly          reads every file into memory (the floor for a search);
//   ReadSplitDecode   reads, splits into lines, splits the mail, reads the
//                     header fields of the pickup list and decodes the body,
//                     as a keyword search and the pickup list do;
//   SplitDecode       the same work on bytes already in memory.
// bytes_per_second gives MB/s; the ratio ReadSplitDecode / ReadOnly is the
// figure that matters. The Hostile* benchmarks run malformed mails of growing
// size and report their complexity (expected: O(N)).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "mailtext/bare_subject.h"
#include "mailtext/body_decode.h"
#include "mailtext/header_field.h"
#include "mailtext/iso2022jp.h"
#include "mailtext/mail_date.h"
#include "mailtext/sender_name.h"
#include "mailtext/split_mail.h"
#include "sys/file_system.h"
#include "util/sjis.h"

namespace {

using namespace gleanix;

// --- corpus generation ---

const std::vector<std::string> kWords{"日本語", "メール", "検索", "の", "を", "会議", "資料", "送付します", "。",
                                      "よろしく", "お願いします", "表示", "ソフト", "転送", "予定", "確認", "、",
                                      "ｶﾀｶﾅ", "Gleanix", "test", "2024", "ML", "議事録", "添付"};

// Shift-JIS to ISO-2022-JP for the generator (inverse of the converter).
std::string toJis(const std::string& sjis) {
  std::string out;
  bool kanji = false;
  bool kana = false;
  auto to = [&](bool wantKanji, bool wantKana) {
    if (wantKanji && !kanji) out += "\x1B$B";
    if (wantKana && !kana) out += "\x1B(I";
    if (!wantKanji && !wantKana && (kanji || kana)) out += "\x1B(B";
    kanji = wantKanji;
    kana = wantKana;
  };
  for (std::size_t i = 0; i < sjis.size();) {
    const auto s1 = static_cast<unsigned char>(sjis[i]);
    if (util::isLeadByte(s1) && i + 1 < sjis.size()) {
      const auto s2 = static_cast<unsigned char>(sjis[i + 1]);
      int j1 = (s1 <= 0x9F ? s1 - 0x70 : s1 - 0xB0) * 2 - 1;
      int j2;
      if (s2 >= 0x9F) {
        ++j1;
        j2 = s2 - 0x7E;
      } else {
        j2 = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
      }
      to(true, false);
      out += static_cast<char>(j1);
      out += static_cast<char>(j2);
      i += 2;
    } else if (s1 >= 0xA1 && s1 <= 0xDF) {
      to(false, true);
      out += static_cast<char>(s1 - 0x80);
      ++i;
    } else {
      to(false, false);
      out += static_cast<char>(s1);
      ++i;
    }
  }
  to(false, false);
  return out;
}

std::string toQuotedPrintable(const std::string& text) {
  std::string out;
  int column = 0;
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      out += c;
      column = 0;
      continue;
    }
    const std::string piece = c == '\x1B' ? "=1B" : c == '=' ? "=3D" : std::string(1, c);
    if (column + static_cast<int>(piece.size()) > 75) {
      out += "=\r\n";
      column = 0;
    }
    out += piece;
    column += static_cast<int>(piece.size());
  }
  return out;
}

class MailGenerator {
 public:
  explicit MailGenerator(unsigned seed) : random_(seed) {}

  std::string mail(int index) {
    const int kind = pick(100);
    std::string m = header(index);
    if (kind < 40) {
      m += "Content-Type: text/plain; charset=Shift_JIS\r\n\r\n" + text(20 + pick(60));
    } else if (kind < 65) {
      m += "Content-Type: text/plain; charset=ISO-2022-JP\r\n\r\n" + toJis(text(20 + pick(60)));
    } else if (kind < 75) {
      m += "Content-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n" +
           toQuotedPrintable(toJis(text(20 + pick(60))));
    } else {
      const std::string b = "----=_Part_" + std::to_string(index);
      m += "MIME-Version: 1.0\r\nContent-Type: multipart/mixed;\r\n boundary=\"" + b + "\"\r\n\r\n";
      m += "This is a multi-part message in MIME format.\r\n\r\n";
      m += "--" + b + "\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n\r\n" + toJis(text(10 + pick(30)));
      m += "--" + b + "\r\nContent-Type: image/jpeg; name=\"photo.jpg\"\r\nContent-Transfer-Encoding: base64\r\n\r\n";
      m += base64Lines(100 + pick(300));
      m += "--" + b + "\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n\r\n" + toJis(text(5 + pick(10)));
      m += "--" + b + "--\r\n";
    }
    return m;
  }

 private:
  int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

  std::string header(int index) {
    static const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string h = "Return-Path: <user" + std::to_string(pick(50)) + "@example.jp>\r\n";
    h += "Received: from mail.example.jp (mail.example.jp [192.0.2.1])\r\n\tby mx.example.jp; Tue, 7 Dec 1999\r\n";
    h += "From: \"ユーザー" + std::to_string(pick(50)) + "\" <user@example.jp>\r\n";
    h += "To: list@example.jp\r\n";
    h += "Subject: [ML:" + std::to_string(index) + "] " + (pick(2) ? "Re: " : "") + "会議の資料\r\n";
    h += "Date: Tue, " + std::to_string(1 + pick(28)) + " " + kMonths[pick(12)] + " 20" +
         std::to_string(10 + pick(14)) + " 1" + std::to_string(pick(10)) + ":0" + std::to_string(pick(10)) +
         ":00 +0900\r\n";
    h += "Message-ID: <" + std::to_string(index) + "@example.jp>\r\n";
    return h;
  }

  std::string text(int lines) {
    std::string t;
    for (int l = 0; l < lines; ++l) {
      std::string line;
      while (line.size() < 60) line += kWords[static_cast<std::size_t>(pick(static_cast<int>(kWords.size())))];
      t += line + "\r\n";
    }
    return t;
  }

  std::string base64Lines(int lines) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string t;
    for (int l = 0; l < lines; ++l) {
      for (int i = 0; i < 76; ++i) t += kAlphabet[pick(64)];
      t += "\r\n";
    }
    return t;
  }

  std::mt19937 random_;
};

// The corpus, in memory and as one file per mail in a temporary directory.
struct Corpus {
  std::vector<std::string> mails;
  std::vector<std::string> files;
  std::string directory;
  std::size_t bytes = 0;

  Corpus() {
    MailGenerator generator(20240601);
    char dir[] = "/tmp/gleanix-bench-XXXXXX";
    if (mkdtemp(dir) == nullptr) std::abort();
    directory = dir;
    for (int i = 0; i < 2000; ++i) {
      mails.push_back(generator.mail(i));
      bytes += mails.back().size();
      files.push_back(directory + "/" + std::to_string(i) + ".ALM");
      std::FILE* f = std::fopen(files.back().c_str(), "wb");
      if (f == nullptr || std::fwrite(mails.back().data(), 1, mails.back().size(), f) != mails.back().size()) {
        std::abort();
      }
      std::fclose(f);
    }
  }

  ~Corpus() {
    for (const std::string& file : files) std::remove(file.c_str());
    rmdir(directory.c_str());
  }
};

const Corpus& corpus() {
  static const Corpus c;
  return c;
}

std::string readFile(const std::string& path) {
  std::string content;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) std::abort();
  char buffer[1 << 16];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) content.append(buffer, n);
  std::fclose(f);
  return content;
}

// What a search and the pickup list do with one mail file's bytes.
struct Work {
  std::vector<std::string> header;
  std::vector<std::string> body;

  std::size_t run(const std::string& bytes) {
    const std::vector<std::string> lines = sys::splitLines(bytes);
    mailtext::splitMail(lines, header, body, nullptr);
    std::size_t sink = 0;
    sink += mailtext::senderName(mailtext::headerField("FROM:", header)).size();
    sink += mailtext::bareSubject(util::upperAscii(mailtext::headerField("SUBJECT:", header))).size();
    try {
      sink += mailtext::mailDate(mailtext::headerField("DATE:", header), -540).size();
    } catch (const mailtext::DateConversionError&) {
    }
    sink += mailtext::decodeBody(mailtext::joinLines(body), mailtext::convertIso2022JpToSjis).size();
    return sink;
  }
};

void ReadOnly(benchmark::State& state) {
  const Corpus& c = corpus();
  for (auto _ : state) {
    for (const std::string& file : c.files) {
      std::string bytes = readFile(file);
      benchmark::DoNotOptimize(bytes.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.bytes));
}
BENCHMARK(ReadOnly)->Unit(benchmark::kMillisecond);

void ReadSplitDecode(benchmark::State& state) {
  const Corpus& c = corpus();
  Work work;
  for (auto _ : state) {
    std::size_t sink = 0;
    for (const std::string& file : c.files) sink += work.run(readFile(file));
    benchmark::DoNotOptimize(sink);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.bytes));
}
BENCHMARK(ReadSplitDecode)->Unit(benchmark::kMillisecond);

void SplitDecode(benchmark::State& state) {
  const Corpus& c = corpus();
  Work work;
  for (auto _ : state) {
    std::size_t sink = 0;
    for (const std::string& mail : c.mails) sink += work.run(mail);
    benchmark::DoNotOptimize(sink);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.bytes));
  state.counters["mails"] = static_cast<double>(c.mails.size());
}
BENCHMARK(SplitDecode)->Unit(benchmark::kMillisecond);

// --- hostile mails of growing size ---

enum class Hostile { LongLine, NoColon, Parameters, NestedQp, Garbage, CutEscapes };

std::string hostileMail(Hostile kind, std::size_t n) {
  switch (kind) {
    case Hostile::LongLine:  // one line of N bytes, JIS escapes sprinkled in
      return "Content-Type: text/plain\r\n\r\n" + std::string(n / 2, 'a') + "\x1B$B" + std::string(n / 2, 'b');
    case Hostile::NoColon:  // a header line of N bytes without any colon, and no body
      return std::string(n, 'h');
    case Hostile::Parameters: {  // a Content-Type of N/16 parameters, the boundary last
      std::string m = "Content-Type: multipart/mixed";
      while (m.size() < n) m += "; p=\"vvvvvvvv\"";
      return m + "; boundary=\"b\"\r\n\r\n--b\r\n\r\ntext\r\n--b--\r\n";
    }
    case Hostile::NestedQp: {  // "=3D3D3D..." that the naive loop undoes one level per pass
      std::string m = "Subject: x\r\n\r\n=1B$B=";
      while (m.size() < n) m += "3D";
      return m;
    }
    case Hostile::Garbage: {
      std::string m(n, '\0');
      std::mt19937 random(7);
      for (char& c : m) c = static_cast<char>(random());
      return "\r\n" + m;
    }
    case Hostile::CutEscapes: {  // ESC $ cut again and again, lone lead bytes at line ends
      std::string m = "Subject: x\r\n\r\n";
      while (m.size() < n) m += "\x1B$\x1B\x81\r\n";
      return m;
    }
  }
  return {};
}

void HostileMail(benchmark::State& state, Hostile kind) {
  const std::string mail = hostileMail(kind, static_cast<std::size_t>(state.range(0)));
  Work work;
  for (auto _ : state) benchmark::DoNotOptimize(work.run(mail));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mail.size()));
  state.SetComplexityN(static_cast<std::int64_t>(mail.size()));
}

#define HOSTILE(name)                                                                              \
  BENCHMARK_CAPTURE(HostileMail, name, Hostile::name)                                              \
      ->RangeMultiplier(4)                                                                         \
      ->Range(1 << 20, 1 << 24)                                                                    \
      ->Complexity(benchmark::oN)                                                                  \
      ->Unit(benchmark::kMillisecond)
HOSTILE(NoColon);
HOSTILE(Parameters);
HOSTILE(NestedQp);
HOSTILE(Garbage);
HOSTILE(CutEscapes);
// The long line up to 100 MB.
BENCHMARK_CAPTURE(HostileMail, LongLine, Hostile::LongLine)
    ->Arg(1 << 20)
    ->Arg(1 << 23)
    ->Arg(100 << 20)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
