#include "backend/module_loader.h"

#include <gtest/gtest.h>

namespace gleanix::backend {
namespace {

#if defined(_WIN32)
const char* const kSystemLibrary = "kernel32.dll";
const char* const kSystemFunction = "GetProcAddress";
#else
const char* const kSystemLibrary = "libc.so.6";
const char* const kSystemFunction = "strlen";
#endif

TEST(ModuleLoader, FindsExportsByNameAndNothingElse) {
  const auto module = makeLibraryLoader()->load(kSystemLibrary);
  ASSERT_NE(module, nullptr);
  EXPECT_NE(module->find(kSystemFunction), nullptr);
  EXPECT_EQ(module->find("NoSuchFunction@12"), nullptr);
  EXPECT_EQ(module->find(nullptr), nullptr);
  EXPECT_EQ(makeLibraryLoader()->load("no-such-library-here.dll"), nullptr);
}

TEST(ModuleLoader, AProgramThatIsNoQuillonCannotBeLoadedAsTheHost) {
  // This test program is neither named Quillon.exe nor exports the
  // simulated host's resolver.
  EXPECT_EQ(makeHostModuleLoader()->load("Quillon.exe"), nullptr);
}

}  // namespace
}  // namespace gleanix::backend
