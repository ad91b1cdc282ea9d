// Script lines as the script mode splits them into words.
#include <gtest/gtest.h>

#include "host/script.h"

namespace {

using gleanix::host::splitScriptLine;

TEST(ScriptLine, BlanksSeparateQuotesHoldThemAndCommentsEndTheLine) {
  std::vector<std::string> w;
  ASSERT_TRUE(splitScriptLine("  menu main \"Sorvek(&K) > マークでピックアップ ...\"  # the popup", w));
  EXPECT_EQ(w, (std::vector<std::string>{"menu", "main", "Sorvek(&K) > マークでピックアップ ..."}));
  ASSERT_TRUE(splitScriptLine("type \"\" \"a # b\"", w));
  EXPECT_EQ(w, (std::vector<std::string>{"type", "", "a # b"}));  // an empty quoted word counts
  ASSERT_TRUE(splitScriptLine("# only a comment", w));
  EXPECT_TRUE(w.empty());
  EXPECT_FALSE(splitScriptLine("click \"OK", w));
}

}  // namespace
