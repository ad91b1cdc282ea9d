// The in-mail search over a 10 MB mail in a simulated edit control:
//   OneMatcherPass     the shared matcher (fuzzy folding, plain text) over
//                      the whole text for a term that only stands at its
//                      end: what one pass costs;
//   TextRead           one copy of the control's text, which every command
//                      takes once (the control may have changed between
//                      commands);
//   FindNearEnd        one find command from the top for that term: one
//                      text read and one matcher pass;
//   SearchGaps1000     the matcher alone, from each of 1,000 matches to the
//                      next: the searching part of FindNext1000, together
//                      one pass over the text;
//   FindNext1000       1,000 find-next commands over a text with 1,000
//                      matches: each reads the text once and searches only
//                      from the last match to the next;
//   ReplaceAll1000     one replace-all command over the same 1,000 matches,
//                      which reads the text once and keeps its copy in step
//                      with its own replacements.
// Counters show the text reads and the matches found per command run.
#include <benchmark/benchmark.h>

#include <string>

#include "backend/sim/sim_desktop.h"
#include "insearch/search_loop.h"
#include "regex/awk_str.h"

namespace {

using namespace gleanix;

constexpr std::size_t kTextBytes = std::size_t{10} << 20;
constexpr int kMatches = 1000;
const std::string kTerm = "検索語";

// Mail-like lines of mixed Japanese and ASCII, about size bytes, with
// `matches` occurrences of the term spread evenly (the last one near the
// end).
std::string mailText(std::size_t size, int matches) {
  static const char* kLines[] = {"お世話になっております。来週の会議の資料を送付します。\r\n",
                                 "> The server update is scheduled for 2024-05-01 10:00.\r\n",
                                 "ご確認のほど、よろしくお願いいたします。ﾃｽﾄ環境 ver.3.2\r\n",
                                 "\r\n"};
  std::string text;
  text.reserve(size + 64);
  const std::size_t every = matches > 0 ? size / static_cast<std::size_t>(matches) : size + 1;
  std::size_t nextMatch = every - 100;
  for (std::size_t i = 0; text.size() < size; ++i) {
    text += kLines[i % 4];
    if (text.size() >= nextMatch && matches > 0) {
      text += "ここに" + kTerm + "があります。\r\n";
      nextMatch += every;
      --matches;
    }
  }
  return text;
}

class Editor {
 public:
  explicit Editor(const std::string& text) {
    const sys::WindowSpec form{.kind = sys::ControlKind::Form, .className = "THostEdit", .bounds = {0, 0, 400, 300}};
    const sys::WindowHandle host = desktop.createWindow(form, nullptr);
    const sys::WindowSpec memo{.kind = sys::ControlKind::Memo, .className = "", .text = text, .parent = host,
                               .bounds = {0, 0, 400, 300}};
    edit = desktop.createWindow(memo, nullptr);
    matcher.setUseFuzzyCharDic(true);
    matcher.setLiteralPattern(true);
    matcher.setRegExp(kTerm);
  }
  insearch::SearchLoopResult run(const insearch::SearchLoopOptions& options) {
    return insearch::runSearchLoop(desktop, matcher, 0, edit, options, [](const std::string&) { return 2; });
  }

  backend::SimDesktop desktop;
  regex::TAWKStr matcher;
  sys::WindowHandle edit = 0;
};

const std::string& termAtEnd() {
  static const std::string text = mailText(kTextBytes, 1);
  return text;
}

const std::string& thousandMatches() {
  static const std::string text = mailText(kTextBytes, kMatches);
  return text;
}

void OneMatcherPass(benchmark::State& state) {
  Editor e(termAtEnd());
  int position = 0;
  int length = 0;
  for (auto _ : state) benchmark::DoNotOptimize(e.matcher.match(termAtEnd(), position, length));
  state.counters["position"] = position;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * termAtEnd().size()));
}
BENCHMARK(OneMatcherPass)->Unit(benchmark::kMillisecond);

void TextRead(benchmark::State& state) {
  Editor e(termAtEnd());
  for (auto _ : state) benchmark::DoNotOptimize(e.desktop.text(e.edit));
}
BENCHMARK(TextRead)->Unit(benchmark::kMillisecond);

void FindNearEnd(benchmark::State& state) {
  Editor e(termAtEnd());
  insearch::SearchLoopResult r;
  for (auto _ : state) {
    e.desktop.setEditSelection(e.edit, 0, 0);
    r = e.run({});
  }
  state.counters["textReads"] = r.textReads;
  state.counters["matches"] = r.matches;
}
BENCHMARK(FindNearEnd)->Unit(benchmark::kMillisecond);

void SearchGaps1000(benchmark::State& state) {
  Editor e(thousandMatches());
  const std::string_view text = thousandMatches();
  int found = 0;
  for (auto _ : state) {
    found = 0;
    std::size_t p = 0;
    int position = 0;
    int length = 0;
    while (e.matcher.match(text.substr(p), position, length) > 0) {
      p += static_cast<std::size_t>(position - 1 + length);
      ++found;
    }
  }
  state.counters["matches"] = found;
}
BENCHMARK(SearchGaps1000)->Unit(benchmark::kMillisecond);

void FindNext1000(benchmark::State& state) {
  Editor e(thousandMatches());
  int reads = 0;
  int found = 0;
  for (auto _ : state) {
    e.desktop.setEditSelection(e.edit, 0, 0);
    reads = found = 0;
    for (int i = 0; i < kMatches; ++i) {
      const insearch::SearchLoopResult r = e.run({});
      reads += r.textReads;
      found += r.matches;
    }
  }
  state.counters["textReads"] = reads;
  state.counters["matches"] = found;
}
BENCHMARK(FindNext1000)->Unit(benchmark::kMillisecond)->Iterations(3);

void ReplaceAll1000(benchmark::State& state) {
  Editor e(thousandMatches());
  insearch::SearchLoopOptions options;
  options.find = false;
  options.confirm = false;
  options.replacement = "置換後の語";
  insearch::SearchLoopResult r;
  for (auto _ : state) {
    state.PauseTiming();
    e.desktop.setText(e.edit, thousandMatches());
    e.desktop.setEditSelection(e.edit, 0, 0);
    state.ResumeTiming();
    r = e.run(options);
  }
  state.counters["textReads"] = r.textReads;
  state.counters["replacements"] = r.replacements;
}
BENCHMARK(ReplaceAll1000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
