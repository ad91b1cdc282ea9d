#pragma once
// The message hooks Gleanix puts on the threads of the host's VIEW and SEND
// windows. They see every message the thread takes from its queue: keys
// become the in-mail search commands (posted, so that they run after the
// host has handled the key), and a VIEW window closing or hiding brings
// its pickup list back to the front. Every message is passed on.

#include "core/started_plugin.h"

namespace gleanix::entry {

// Installs the hook for the window's thread and keeps it in this thread's
// state; a hook left from an earlier window of the thread is removed first,
// so that a key never posts its command twice.
void installViewHook(core::StartedPlugin& plugin, sys::WindowHandle view);
void installSendHook(core::StartedPlugin& plugin, sys::WindowHandle send);
void removeViewHook(core::StartedPlugin& plugin);
void removeSendHook(core::StartedPlugin& plugin);

// What the hooks do with one message (hook code 0), on this thread's state.
void viewHookAction(sys::Desktop& desktop, const sys::Message& message);
void sendHookAction(sys::Desktop& desktop, const sys::Message& message);

}  // namespace gleanix::entry
