// Keyword matching over a generated 100 MB mail corpus, in one run:
//   Reference/*        the straightforward matcher (eager DFA, transitions
//                      scanned one by one, restart at every character) of
//                      tests/regex, over every mail;
//   KeywordItem/*      TKeywordItem::test over every mail, as the keyword
//                      pickup calls it: the plain five-character term
//                      "パスワード" with fuzzy folding (the default) and
//                      without, and the regular expression "[0-9]+円" (a
//                      class and a closure);
//   GrepF              `LC_ALL=C grep -c -F` for the same term on the same
//                      bytes, written to a temporary file;
//   ScanFloor          memchr for an absent byte over every mail: what
//                      merely reading the bytes from memory costs;
//   ExplodingPattern   compiling "(a|b)*a(a|b)...(a|b)" (20 repetitions,
//                      over a million DFA states if built eagerly) and
//                      matching it over 1 MB of a/b runs, with the memory
//                      its automata hold and the process's peak RSS (it runs
//                      before the corpus exists).
//   ManyTerms/*        65,000 keyword terms, one per line, compiled and
//                      tested against a mail: distinct terms of three and
//                      four letters, and one-letter terms (most repeated),
//                      with the heap they hold in all and per term.
// Counters give the number of matching mails (lines for grep) so that the
// results can be compared; the ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include "regex/compiled_pattern.h"
#include "regex/keyword_item.h"
#include "regex/reference_matcher.h"

namespace {

using namespace gleanix;

const std::string kTerm = "パスワード";
const std::string kAmount = "[0-9]+円";

// --- corpus ---

const std::vector<std::string> kWords{
    "お世話になっております", "株式会社", "よろしくお願いします", "会議", "資料", "確認", "送付", "メール",
    "サーバー", "設定", "変更", "予定", "来週", "担当", "プロジェクト", "データ", "ファイル", "添付",
    "ご連絡", "ありがとうございます", "です", "ます", "。", "、", "について", "の", "を", "に", "は", "が",
    "で", "と", "システム", "ログイン", "アカウント", "申請", "手続き", "更新", "障害", "対応", "報告",
    "問題", "解決", "テスト", "環境", "本番", "リリース", "ネットワーク", "東京", "大阪", "営業部",
    "開発部", "見積", "請求書", "合計", "税込", "ﾃｽﾄ", "meeting", "schedule", "update", "server", "OK",
    "2024", "ver.3.2", "ID", "PDF", "Excel", "http://www.example.co.jp/", "パス", "ワード", "パック"};

class CorpusWriter {
 public:
  explicit CorpusWriter(unsigned seed) : rng_(seed) {}

  std::string mail(int index) {
    std::string m;
    m += "From: user" + std::to_string(pick(500)) + "@example.co.jp\r\n";
    m += "To: team@example.co.jp\r\n";
    m += "Subject: " + sentence(3 + pick(5)) + "\r\n";
    m += "Date: Mon, " + std::to_string(1 + pick(28)) + " Apr 2024 10:" + std::to_string(10 + pick(49)) +
         ":00 +0900\r\n";
    m += "Message-ID: <" + std::to_string(index) + ".example@mail.example.co.jp>\r\n\r\n";
    const int paragraphs = 2 + pick(8);
    for (int p = 0; p < paragraphs; ++p) {
      const bool quoted = pick(5) == 0;
      std::string text = sentence(10 + pick(60));
      // Now and then the term, a half-width form of it, or the term broken by
      // the line wrapping; and amounts of money.
      const int r = pick(1000);
      if (r < 15) text += kTerm;
      if (r >= 15 && r < 20) text += "ﾊﾟｽﾜｰﾄﾞ";
      if (r >= 20 && r < 25) text += "パス\r\nワード";
      if (pick(10) == 0) text += std::to_string(pick(100000)) + "円";
      m += wrap(text, quoted ? "> " : "");
      m += "\r\n";
    }
    m += "--\r\n山田 太郎\r\n";
    return m;
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  std::string sentence(int words) {
    std::string s;
    for (int i = 0; i < words; ++i) s += kWords[static_cast<std::size_t>(pick(static_cast<int>(kWords.size())))];
    return s;
  }

  // Lines of about 70 bytes, broken between words... or, as mail programs
  // do, anywhere between characters.
  static std::string wrap(const std::string& text, const std::string& prefix) {
    std::string out = prefix;
    std::size_t column = 0;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t n = util::charBytesAt(text, i);
      out.append(text, i, n);
      i += n;
      column += n;
      if (text.compare(i - n, n, "\n") == 0) column = 0;
      if (column >= 70) {
        out += "\r\n" + prefix;
        column = 0;
      }
    }
    return out + "\r\n";
  }

  std::mt19937 rng_;
};

std::vector<std::string>& corpus() {
  static std::vector<std::string> mails = [] {
    std::vector<std::string> m;
    CorpusWriter writer(2024);
    std::size_t bytes = 0;
    while (bytes < (std::size_t{100} << 20)) {
      m.push_back(writer.mail(static_cast<int>(m.size())));
      bytes += m.back().size();
    }
    return m;
  }();
  return mails;
}

double corpusBytes() {
  double bytes = 0;
  for (const auto& m : corpus()) bytes += static_cast<double>(m.size());
  return bytes;
}

// --- benchmarks ---

void reference(benchmark::State& state, const std::string& pattern, bool fuzzy, bool literal) {
  regex::reference::ReferenceMatcher matcher(pattern, fuzzy, literal);
  corpus();  // generated before the clock runs
  int hits = 0;
  for (auto _ : state) {
    hits = 0;
    int position;
    int length;
    for (const auto& mail : corpus()) hits += matcher.match(mail, position, length) > 0;
  }
  state.counters["mails"] = hits;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpusBytes()));
}

// The floor: looking once at every byte of every mail (memchr for a byte
// that does not occur), as fast as the memory delivers.
void scanFloor(benchmark::State& state) {
  corpus();
  std::size_t found = 0;
  for (auto _ : state) {
    found = 0;
    for (const auto& mail : corpus()) found += std::memchr(mail.data(), 0x01, mail.size()) != nullptr;
  }
  state.counters["mails"] = static_cast<double>(found);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpusBytes()));
}

void keywordItem(benchmark::State& state, const std::string& keywords, bool fuzzy, bool plain) {
  regex::TKeywordItem item;
  item.setPlainMode(plain);
  item.setFuzzy(fuzzy);
  item.setKeywords(keywords);
  corpus();
  int hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (auto& mail : corpus()) {
      item.text.swap(mail);  // as the pickup assigns each mail's text, without copying it here
      hits += item.test();
      item.text.swap(mail);
    }
  }
  state.counters["mails"] = hits;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpusBytes()));
}

std::string tempPath(const char* name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/gleanix_regex_bench_" + std::to_string(getpid()) + "_" + name;
}

void grepF(benchmark::State& state) {
  const std::string corpusFile = tempPath("corpus.txt");
  const std::string termFile = tempPath("term.txt");
  const std::string countFile = tempPath("count.txt");
  {
    std::ofstream out(corpusFile, std::ios::binary);
    for (const auto& mail : corpus()) out.write(mail.data(), static_cast<std::streamsize>(mail.size()));
    std::ofstream term(termFile, std::ios::binary);
    term << kTerm << "\n";
  }
  const std::string command = "LC_ALL=C grep -c -F -f " + termFile + " " + corpusFile + " > " + countFile;
  // Read the file once so that every run finds it in the page cache.
  if (std::system(command.c_str()) < 0) state.SkipWithError("grep");
  for (auto _ : state) {
    if (std::system(command.c_str()) < 0) state.SkipWithError("grep");
  }
  std::ifstream in(countFile);
  int lines = 0;
  in >> lines;
  state.counters["lines"] = lines;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpusBytes()));
  std::remove(corpusFile.c_str());
  std::remove(termFile.c_str());
  std::remove(countFile.c_str());
}

void explodingPattern(benchmark::State& state) {
  // Runs of at most 20 a/b between c's visit DFA states without end and never
  // match; one long run at the end does.
  std::mt19937 rng(1);
  std::string text;
  while (text.size() < (std::size_t{1} << 20)) {
    const int run = 1 + static_cast<int>(rng() % 20);
    for (int i = 0; i < run; ++i) text += (rng() & 1) ? 'a' : 'b';
    text += 'c';
  }
  const std::size_t expectedStart = text.size();
  text += "abbbbbbbbbbbbbbbbbbbbbbbbb";
  std::string pattern = "(a|b)*a";
  for (int i = 0; i < 20; ++i) pattern += "(a|b)";
  double held = 0;
  for (auto _ : state) {
    regex::CompiledPattern compiled(pattern);
    std::size_t start = 0;
    std::size_t end = 0;
    const bool found = compiled.matchesAnywhere(text) && compiled.find(text, start, end);
    if (!found || start != expectedStart || end != expectedStart + 21) state.SkipWithError("wrong match");
    held = static_cast<double>(compiled.dfa().cache().bytes() + compiled.leftmost().cache().bytes());
    state.counters["states"] = static_cast<double>(compiled.dfa().cache().stateCount());
    state.counters["restarts"] = static_cast<double>(compiled.dfa().cache().clears());
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["cacheMB"] = held / (1 << 20);
  state.counters["peakRssMB"] = static_cast<double>(usage.ru_maxrss) / 1024;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Keeps the times of every benchmark for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      real[run.benchmark_name()] = run.GetAdjustedRealTime();
      cpu[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> real;
  std::map<std::string, double> cpu;
};

}  // namespace

// The heap in use, as the C library counts it.
std::size_t heapInUse() {
  const struct mallinfo2 info = ::mallinfo2();
  return info.uordblks + info.hblkhd;
}

void manyTerms(benchmark::State& state, std::size_t minLength, std::size_t maxLength) {
  constexpr std::size_t kTerms = 65000;
  std::mt19937 random(7);
  std::string keywords;
  for (std::size_t i = 0; i < kTerms; ++i) {
    const std::size_t length = minLength + random() % (maxLength - minLength + 1);
    for (std::size_t k = 0; k < length; ++k) keywords += static_cast<char>('a' + random() % 26);
    keywords += "\r\n";
  }
  const std::string mail = "Subject: many terms\r\n\r\nNothing here matches a term of digits 0123456789.\r\n";
  double held = 0;
  for (auto _ : state) {
    const std::size_t before = heapInUse();
    regex::TKeywordItem item;
    item.setKeywords(keywords);
    benchmark::DoNotOptimize(item.test(mail));
    held = static_cast<double>(heapInUse() - before);
  }
  state.counters["heap_MB"] = held / 1e6;
  state.counters["heap_per_term"] = held / kTerms;
}

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const auto ms = benchmark::kMillisecond;
  benchmark::RegisterBenchmark("ExplodingPattern", explodingPattern)->Unit(ms)->UseRealTime();
  benchmark::RegisterBenchmark("ManyTerms/Distinct", manyTerms, 3, 4)->Unit(ms)->UseRealTime()->Iterations(1);
  benchmark::RegisterBenchmark("ManyTerms/OneLetter", manyTerms, 1, 1)->Unit(ms)->UseRealTime()->Iterations(1);
  benchmark::RegisterBenchmark("Reference/FuzzyTerm", reference, kTerm, true, true)->Unit(ms)->UseRealTime()->Iterations(1);
  benchmark::RegisterBenchmark("Reference/PlainTerm", reference, kTerm, false, true)->Unit(ms)->UseRealTime()->Iterations(1);
  benchmark::RegisterBenchmark("Reference/Regex", reference, kAmount, true, false)->Unit(ms)->UseRealTime()->Iterations(1);
  benchmark::RegisterBenchmark("KeywordItem/FuzzyTerm", keywordItem, kTerm, true, true)->Unit(ms)->UseRealTime();
  benchmark::RegisterBenchmark("KeywordItem/PlainTerm", keywordItem, kTerm, false, true)->Unit(ms)->UseRealTime();
  benchmark::RegisterBenchmark("KeywordItem/Regex", keywordItem, kAmount, true, false)->Unit(ms)->UseRealTime();
  benchmark::RegisterBenchmark("GrepF", grepF)->Unit(ms)->UseRealTime();
  benchmark::RegisterBenchmark("ScanFloor", scanFloor)->Unit(ms)->UseRealTime();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  // In-process runs are compared by CPU time, which other load on the machine
  // disturbs less; grep runs in a child process, so it is compared by real time.
  auto ratio = [](std::map<std::string, double>& t, const char* label, const std::string& slow,
                  const std::string& fast, const char* target) {
    if (t.count(slow) == 0 || t.count(fast) == 0 || t[fast] <= 0) return;
    std::printf("%-58s %6.1fx  (%s)\n", label, t[slow] / t[fast], target);
  };
  const std::string suffix = "/real_time";
  const std::string once = "/iterations:1/real_time";
  std::printf("\n");
  ratio(reporter.cpu, "reference / production, term with folding (CPU)", "Reference/FuzzyTerm" + once,
        "KeywordItem/FuzzyTerm" + suffix, "target >= 20");
  ratio(reporter.cpu, "reference / production, term without folding (CPU)", "Reference/PlainTerm" + once,
        "KeywordItem/PlainTerm" + suffix, "target >= 20");
  ratio(reporter.cpu, "reference / production, class and closure pattern (CPU)", "Reference/Regex" + once,
        "KeywordItem/Regex" + suffix, "target >= 20");
  ratio(reporter.cpu, "reference without folding / memory floor (CPU)", "Reference/PlainTerm" + once,
        "ScanFloor" + suffix, "the best any matcher could reach");
  ratio(reporter.real, "production without folding / grep -F (real)", "KeywordItem/PlainTerm" + suffix,
        "GrepF" + suffix, "target <= 4");
  ratio(reporter.real, "production with folding / grep -F (real)", "KeywordItem/FuzzyTerm" + suffix,
        "GrepF" + suffix, "for information");
  benchmark::Shutdown();
  return 0;
}
