#pragma once
// The command procedures Gleanix registers with the host for its menu items
// and toolbar buttons. The host calls one with the window the item was
// chosen in and the parameter given at registration; the parameter picks
// the variant (the related pickup from the main window or a VIEW window,
// the in-mail search's find, replace and next, the step's direction).
//
// Each does nothing while the plug-in is not started, and keeps every
// exception inside the library: the host cannot take one.

#include <cstdint>

#include "sys/host_abi.h"

namespace gleanix::entry {

// The plug-in's home page, opened with the shell verb "OPEN".
inline constexpr const char* kHomePage = "https://gleanix.orvane-lab.example/";

// Parameters of the related pickup and of the pickup step.
inline constexpr std::int32_t kFromMainWindow = 0;
inline constexpr std::int32_t kFromViewWindow = 1;
inline constexpr std::int32_t kStepPrevious = 0;
inline constexpr std::int32_t kStepNext = 1;

// Parameters (codes) of the in-mail search.
inline constexpr std::int32_t kViewFind = 0;
inline constexpr std::int32_t kViewFindNext = 2;
inline constexpr std::int32_t kSendFind = 10;
inline constexpr std::int32_t kSendReplace = 11;
inline constexpr std::int32_t kSendNext = 12;

void GLEANIX_STDCALL homePageCommand(sys::WindowHandle window, std::int32_t parameter);
void GLEANIX_STDCALL markPickupCommand(sys::WindowHandle window, std::int32_t parameter);
void GLEANIX_STDCALL keywordPickupCommand(sys::WindowHandle window, std::int32_t parameter);
void GLEANIX_STDCALL relatedPickupCommand(sys::WindowHandle window, std::int32_t parameter);
void GLEANIX_STDCALL inMailSearchCommand(sys::WindowHandle window, std::int32_t parameter);
void GLEANIX_STDCALL mailingListNumberCommand(sys::WindowHandle window, std::int32_t parameter);
void GLEANIX_STDCALL pickupStepCommand(sys::WindowHandle window, std::int32_t parameter);

}  // namespace gleanix::entry
