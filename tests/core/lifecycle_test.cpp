// Start-up and clean-up of the plug-in against quillon-sim: the order of
// the steps, the refusals, and repeated or missing calls.
#include <gtest/gtest.h>

#include "core/started_plugin.h"
#include "core/thread_state.h"
#include "support/plugin_fixture.h"
#include "sys/host_abi.h"

namespace gleanix::testing {
namespace {

using Lifecycle = PluginTest;

std::string registryString(const MemoryRegistry& r, const std::string& name) {
  const auto v = r.read(sys::RegistryRoot::CurrentUser, "Software\\Orvane Lab\\Gleanix", name);
  return v && v->kind == sys::RegistryKind::String ? v->data : "(missing)";
}

TEST_F(Lifecycle, StartUpTakesItsStepsInOrder) {
  ASSERT_EQ(startUp(), 255);
  // The snapshot's file comes first, then the live cache's; both default to
  // the host's directory.
  const EventLog expected = {"registry Version", "registry CopyrightYear", "registry Filename", "load Quillon.exe",
                             "read " + kSettingsFile, "read " + kSettingsFile};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(registryString(*registry, "Version"), "Ver.0.03 Rev.10");
  EXPECT_EQ(registryString(*registry, "CopyrightYear"), "1999-2000");
  EXPECT_EQ(registryString(*registry, "Filename"), "Gleanix");
  ASSERT_NE(core::startedPlugin(), nullptr);
  EXPECT_EQ(started().host().getMailbox(), kMailRoot);
  EXPECT_TRUE(started().pickupWindows().empty());
  EXPECT_TRUE(started().matcher().UseFuzzyCharDic());

  core::cleanUp();
  EXPECT_EQ(log.back(), "release");
  EXPECT_EQ(core::startedPlugin(), nullptr);
}

TEST_F(Lifecycle, HostVersionsCompareByteByByte) {
  for (const char* version : {"1.09", "1.0", "0.99", "", "1.1"}) {
    EXPECT_EQ(startUp(version), 0) << version;
    EXPECT_EQ(core::startedPlugin(), nullptr) << version;
  }
  EXPECT_EQ(core::startUp(nullptr, factory()), 0);
  // A refused version creates nothing, not even the registry values.
  EXPECT_TRUE(log.empty());
  for (const char* version : {"1.10", "1.2", "10.0", "2.0", "1.10a"}) {
    EXPECT_EQ(startUp(version), 255) << version;
    EXPECT_NE(core::startedPlugin(), nullptr) << version;
  }
}

TEST_F(Lifecycle, AHostLackingAnyOneFunctionIsRefused) {
  for (const char* name : sys::kHostFunctionNames) {
    host::QuillonSim lacking(*fs, kMailRoot);
    lacking.withhold(name);
    auto lackingLoader = std::make_shared<SimHostLoader>(lacking, log);
    log.clear();
    const core::ServicesFactory services = [&] {
      return core::PlatformServices{fs, registry, system, lackingLoader, desktop, shell};
    };
    EXPECT_EQ(core::startUp("1.10", services), 0) << name;
    EXPECT_EQ(core::startedPlugin(), nullptr) << name;
    // The module is let go again and no settings were read.
    EXPECT_EQ(count("release"), 1) << name;
    EXPECT_EQ(count("read " + kSettingsFile), 0) << name;
  }
}

TEST_F(Lifecycle, AHostModuleThatCannotBeLoadedIsRefused) {
  loader->fail = true;
  EXPECT_EQ(startUp(), 0);
  EXPECT_EQ(core::startedPlugin(), nullptr);
  EXPECT_EQ(count("read " + kSettingsFile), 0);
}

TEST_F(Lifecycle, RepeatedAndMissingCallsAreSafe) {
  core::cleanUp();  // never started
  EXPECT_TRUE(log.empty());

  EXPECT_EQ(startUp("1.09"), 0);
  EXPECT_EQ(startUp(), 255);  // after a refusal
  core::cleanUp();
  core::cleanUp();  // twice
  EXPECT_EQ(count("release"), 1);

  EXPECT_EQ(startUp(), 255);  // after clean-up
  EXPECT_EQ(count("load Quillon.exe"), 2);
  EXPECT_EQ(started().host().getMailbox(), kMailRoot);

  // Start-up while started lets go of the first host module before loading again.
  EXPECT_EQ(startUp(), 255);
  EXPECT_EQ(count("release"), 2);
  EXPECT_EQ(count("load Quillon.exe"), 3);
}

TEST_F(Lifecycle, StartUpLoadsTheSettingsFromTheMailRootWhenTheRegistrySaysSo) {
  registry->putDWord(sys::RegistryRoot::CurrentUser, "Software\\Orvane Lab\\Gleanix\\Options", "Common", 0);
  fs->addFile(kMailRoot + "Plugins\\Gleanix.ini", "Menu\\Caption=String:Mine(&M)\r\n");
  ASSERT_EQ(startUp(), 255);
  EXPECT_EQ(started().settings().path(), kMailRoot + "Plugins\\Gleanix.ini");
  EXPECT_EQ(started().settings().readString("Menu", "Caption", "Sorvek(&K)"), "Mine(&M)");
  // The snapshot follows the host's own registry family, which still says
  // "the host's directory".
  EXPECT_EQ(started().snapshot().readString("Menu", "Caption", "Sorvek(&K)"), "Sorvek(&K)");
}

TEST_F(Lifecycle, StartUpResetsTheCallingThreadsPickupState) {
  core::ThreadWindowState& state = core::threadState();
  state.ownMailChange = true;
  state.viewWindow = 0x1234;
  ASSERT_EQ(startUp(), 255);
  EXPECT_FALSE(state.ownMailChange);
  EXPECT_TRUE(state.pickupWindow.expired());
  EXPECT_EQ(state.viewWindow, 0x1234u);  // the window itself stays recorded
}

}  // namespace
}  // namespace gleanix::testing
