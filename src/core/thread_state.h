#pragma once
// What belongs to the host windows of one thread. The host runs VIEW and
// SEND windows on threads of their own and calls their entry points there;
// the window hooks run on that thread too and read what the entry points
// stored. Every field starts zero; the record lives as long as its thread.

#include <cstdint>
#include <memory>
#include <string>

#include "sys/host_abi.h"

namespace gleanix::core {

class PickupWindow;

struct ThreadWindowState {
  // Set by APCFolderCreate on this thread.
  sys::WindowHandle mainWindow = 0;
  // The pickup list whose mails this thread's VIEW window steps through.
  // Weak: the list window closes on its own, and a closed one must read as
  // gone rather than as a dangling object.
  std::weak_ptr<PickupWindow> pickupWindow;
  // Set just before Gleanix itself asks the host to show another mail in
  // the VIEW window; cleared by the next APCViewLoadMail.
  bool ownMailChange = false;

  sys::WindowHandle viewToolbar = 0;
  std::int32_t previousButtonId = 0;
  std::int32_t nextButtonId = 0;
  // Indices in the VIEW toolbar's image list.
  std::int32_t previousImage = 0;
  std::int32_t previousDisabledImage = 0;
  std::int32_t nextImage = 0;
  std::int32_t nextDisabledImage = 0;

  sys::WindowHandle viewWindow = 0;  // set by APCViewCreate
  sys::HookHandle viewHook = 0;
  std::int32_t viewFindId = 0;
  std::int32_t viewFindNextId = 0;

  sys::WindowHandle sendWindow = 0;  // set by APCSendCreate
  sys::HookHandle sendHook = 0;
  std::int32_t sendFindId = 0;
  std::int32_t sendReplaceId = 0;
  std::int32_t sendNextId = 0;

  // The bracketed mailing-list number the VIEW context menu offers.
  std::string mailingListNumber;
  // Kept between calls by the mailing-list number search.
  std::string mailingListSearchState;
};

// The calling thread's record.
ThreadWindowState& threadState();

}  // namespace gleanix::core
