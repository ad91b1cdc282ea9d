#include "entry/commands.h"

#include "core/started_plugin.h"
#include "entry/view_stepping.h"
#include "insearch/in_mail_search.h"
#include "insearch/mailing_list_search.h"
#include "pickupcommands/pickup_commands.h"

namespace gleanix::entry {
namespace {

// Runs the command's work on the started plug-in; an exception ends the
// command silently, as the host cannot take one.
template <typename Work>
void run(Work work) {
  core::StartedPlugin* plugin = core::startedPlugin();
  if (!plugin) return;
  try {
    work(*plugin);
  } catch (...) {
  }
}

}  // namespace

void GLEANIX_STDCALL homePageCommand(sys::WindowHandle window, std::int32_t) {
  run([=](core::StartedPlugin& p) { p.shell().open(window, "OPEN", kHomePage, "", ""); });
}

void GLEANIX_STDCALL markPickupCommand(sys::WindowHandle window, std::int32_t parameter) {
  run([=](core::StartedPlugin& p) { pickupcommands::markPickup(p, window, parameter); });
}

void GLEANIX_STDCALL keywordPickupCommand(sys::WindowHandle window, std::int32_t parameter) {
  run([=](core::StartedPlugin& p) { pickupcommands::keywordPickup(p, window, parameter); });
}

void GLEANIX_STDCALL relatedPickupCommand(sys::WindowHandle window, std::int32_t parameter) {
  run([=](core::StartedPlugin& p) { pickupcommands::relatedPickup(p, window, parameter); });
}

void GLEANIX_STDCALL inMailSearchCommand(sys::WindowHandle window, std::int32_t parameter) {
  run([=](core::StartedPlugin& p) { insearch::inMailSearch(p, window, parameter); });
}

void GLEANIX_STDCALL mailingListNumberCommand(sys::WindowHandle window, std::int32_t) {
  run([=](core::StartedPlugin& p) { insearch::mailingListNumberSearch(p, window); });
}

void GLEANIX_STDCALL pickupStepCommand(sys::WindowHandle window, std::int32_t parameter) {
  run([=](core::StartedPlugin& p) { stepPickup(p, window, parameter); });
}

}  // namespace gleanix::entry
