// "中断" pressed while the keyword pickup runs over a generated store of
// 20,000 mails: the search stops at once and the pickup list window holds
// exactly the hits found before the press.

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "make_store/store_generator.h"
#include "mailtext/iso2022jp.h"
#include "pickup/keyword_search.h"
#include "pickupcommands/pickup_commands.h"
#include "support/pickup_support.h"
#include "support/plugin_fixture.h"
#include "util/read_ahead.h"

namespace gleanix::testing {
namespace {

constexpr std::size_t kMails = 20000;
constexpr std::size_t kPressAt = 7000;  // mails tested when "中断" is pressed

class AbortOnALargeStore : public PluginTest {
 protected:
  void SetUp() override {
#if defined(_WIN32)
    GTEST_SKIP() << "the native builds run it; under Wine it only costs time";
#endif
    tools::generateStore({kMails, tools::kSampleSeed},
                         [this](const std::string& path, std::string_view bytes) {
                           fs->addFile(kMailRoot + path, std::string(bytes));
                         });
    EXPECT_EQ(startUp(), 255);
    folders = searchableFolders(store::MailStore(*fs, kMailRoot));
    started().settings().writeSetting("KeyFind", "Folder", folderListText(folders));
    started().settings().writeSetting("Sort", "Index", -1);
  }

  // Mail files read since the given point of the log.
  std::size_t mailReadsSince(std::size_t from) const {
    return static_cast<std::size_t>(std::count_if(log.begin() + static_cast<std::ptrdiff_t>(from), log.end(),
                                                  [](const std::string& e) {
                                                    return e.rfind("read ", 0) == 0 && e.size() > 4 &&
                                                           e.compare(e.size() - 4, 4, ".ALM") == 0;
                                                  }));
  }

  std::vector<std::string> folders;
};

TEST_F(AbortOnALargeStore, TheListHoldsExactlyTheHitsFoundBeforeThePress) {
  desktop->onModal([this](sys::WindowHandle form) {
    desktop->typeText(desktop->child(form, "KeywordMemo"), "Quillon");
    desktop->click(desktop->child(form, "OKButton"));
  });
  std::size_t maximum = 0, pressedAt = 0, logAtPress = 0;
  std::function<void()> watch = [&] {
    const sys::WindowHandle progress = desktop->findTopLevel("TRelatedProgressForm");
    const backend::SimWindow* bar = progress ? &desktop->window(desktop->child(progress, "ProgressBar")) : nullptr;
    if (!bar || bar->position < static_cast<int>(kPressAt)) {
      desktop->onProcessMessages(watch);
      return;
    }
    maximum = static_cast<std::size_t>(bar->rangeMax);
    pressedAt = static_cast<std::size_t>(bar->position);
    {
      const std::lock_guard<std::mutex> lock(fs->logMutex);
      logAtPress = log.size();
    }
    desktop->click(desktop->child(progress, "AbortButton"));
  };
  desktop->onProcessMessages(watch);

  pickupcommands::keywordPickup(started(), sim.mainWindow(), 0);

  ASSERT_EQ(pressedAt, kPressAt);
  ASSERT_GT(maximum, kMails / 2);  // the press came in the middle of the search
  const auto& windows = started().pickupWindows().entries();
  const std::size_t rows = windows.size() == 1 ? static_cast<std::size_t>(windows.front().window->rowCount()) : 0;
  // After the press no more mails were read than the read-ahead had under
  // way: the search stopped at once, and the list window took its rows
  // from what the search had read.
  ASSERT_GT(rows, 100u);
  const util::ReadAheadLimits limits;
  EXPECT_LE(mailReadsSince(logAtPress), limits.window + util::readAheadHelpers(limits.threads));

  pickup::KeywordOptions options;
  options.keywords = "Quillon\r\n";
  StopAfter stop(pressedAt);
  const pickup::PickupResult expected =
      pickup::keywordSearch(*fs, kMailRoot, folders, options, mailtext::builtInConversion(), {}, stop);
  ASSERT_TRUE(expected.aborted);
  ASSERT_GT(expected.hits.size(), 100u);

  ASSERT_EQ(started().pickupWindows().size(), 1u);
  EXPECT_EQ(listedHits(started()), expected.hits);
}

}  // namespace
}  // namespace gleanix::testing
