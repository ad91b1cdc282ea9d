#include "host/plugin_driver.h"

#include <array>
#include <type_traits>

namespace gleanix::host {
namespace {

// A text the plug-in returns, quoted, so that an empty text and a null
// pointer read differently.
std::string quoted(const char* text) { return text ? std::string("\"").append(text).append("\"") : "(null)"; }

std::string visibleLineEnds(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::optional<PluginEntries> findPluginEntries(const sys::Module& plugin, std::string* missing) {
  std::array<void*, sys::kPluginEntryCount> found{};
  for (std::size_t i = 0; i < found.size(); ++i) {
    found[i] = plugin.find(sys::kPluginEntryNames[i]);
    if (found[i] == nullptr) {
      if (missing) *missing = sys::kPluginEntryNames[i];
      return std::nullopt;
    }
  }
  std::size_t i = 0;
  auto next = [&](auto& slot) { slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(found[i++]); };
  PluginEntries e{};
  // Members in the order of kPluginEntryNames.
  next(e.getPlugName), next(e.versionInfo), next(e.startUp), next(e.cleanUp), next(e.setup), next(e.folderCreate);
  next(e.folderInitMenu), next(e.viewCreate), next(e.viewClose), next(e.viewInitMenu), next(e.viewLoadMail);
  next(e.sendCreate), next(e.sendClose), next(e.sendInitMenu), next(e.sendPost), next(e.neverFollow);
  next(e.neverPrecede), next(e.version);
  static_assert(sizeof(PluginEntries) == sys::kPluginEntryCount * sizeof(void*), "every entry point has its member");
  return e;
}

std::string runPluginScenario(QuillonSim& sim, const PluginEntries& plugin, const PluginScenario& scenario) {
  std::string out;
  auto line = [&out](std::string_view label, const std::string& value = {}) {
    out.append(label).append(value).append("\n");
  };

  line("APCGetPlugName: ", quoted(plugin.getPlugName()));
  line("Version: ", quoted(plugin.version()));
  line("NeverPrecede: ", quoted(plugin.neverPrecede()));
  line("NeverFollow: ", quoted(plugin.neverFollow()));
  const std::uint8_t started = plugin.startUp(scenario.hostVersion.c_str());
  line("APCStartUp(" + scenario.hostVersion + "): ", std::to_string(started));

  plugin.folderCreate(sim.mainWindow());
  line("APCFolderCreate: ", std::to_string(sim.mainWindow()));

  const sys::WindowHandle send = sim.openSendWindow(scenario.header);
  plugin.sendCreate(send);
  for (int post = 1; post <= 2; ++post) {
    const int before = sim.sendSetHeaderCalls();
    line("APCSendPost: ", std::to_string(plugin.sendPost(send, 0)));
    line("header set: ", sim.sendSetHeaderCalls() > before ? "yes" : "no");
    line("header: ", visibleLineEnds(sim.sendHeader(send).value_or("")));
  }
  plugin.sendClose(send);

  plugin.cleanUp();
  line("APCCleanUp");
  return out;
}

}  // namespace gleanix::host
