// "_APAJisToSjis@12" through the function table: the host's conversion as the
// plug-in calls it, checked against the JIS text make-store writes.
#include <gtest/gtest.h>

#include "backend/platform.h"
#include "host/quillon_sim.h"
#include "host/resolved_host.h"
#include "make_store/encodings.h"

namespace gleanix::host {
namespace {

class JisToSjis : public ::testing::Test {
 protected:
  std::unique_ptr<sys::FileSystem> fs = backend::makeFileSystem();
  QuillonSim sim{*fs, "\\nowhere\\"};
  std::optional<ResolvedHost> host = ResolvedHost::create(sim.resolver());
};

TEST_F(JisToSjis, TurnsMakeStoreJisBackIntoShiftJis) {
  ASSERT_TRUE(host);
  const std::string texts[] = {
      "表示が崩れる場合は、ソフトを再起動してください。\r\n",
      "In [qml:00013] 鈴木 花子さんは書きました：\r\n> ＰＣを再起動したら直りました。\r\n",
      "plain ASCII only\r\n",
      "漾 (row 0x5F) and ー (row 0x21)",
      "",
  };
  for (const std::string& sjis : texts) {
    const std::string jis = tools::toIso2022Jp(sjis);
    const std::string back = host->jisToSjis(jis);
    EXPECT_EQ(back, sjis);
    EXPECT_LE(back.size(), jis.size());
  }
}

TEST_F(JisToSjis, RawCallNeverWritesPastLengthPlusOne) {
  const auto table = sys::resolveHostFunctions(sim.resolver());
  ASSERT_TRUE(table);
  const std::string jis = "ab\x1b$B$\"\x1b(Bcd";
  std::string buffer(jis.size() + 8, '#');
  table->jisToSjis(buffer.data(), jis.c_str(), static_cast<std::int32_t>(jis.size()));
  EXPECT_EQ(std::string(buffer.c_str()), "abあcd");
  EXPECT_EQ(buffer.substr(jis.size() + 1), "#######");
  // Text without escapes keeps its length: the NUL is the one byte more.
  const std::string ascii = "abcdef";
  std::string exact(ascii.size() + 4, '#');
  table->jisToSjis(exact.data(), ascii.c_str(), static_cast<std::int32_t>(ascii.size()));
  EXPECT_EQ(exact, std::string("abcdef\0###", 10));
  table->jisToSjis(buffer.data(), nullptr, 5);
  EXPECT_EQ(buffer[0], '\0');
}

}  // namespace
}  // namespace gleanix::host
