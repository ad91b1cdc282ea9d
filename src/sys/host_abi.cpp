#include "sys/host_abi.h"

namespace gleanix::sys {
namespace {

// Fills one member from its exported name; false when the host lacks it.
template <typename Fn>
bool take(const HostResolver& resolve, std::size_t index, Fn& slot) {
  void* address = resolve(kHostFunctionNames[index]);
  if (address == nullptr) return false;
  slot = reinterpret_cast<Fn>(address);
  return true;
}

}  // namespace

std::optional<HostFunctionTable> resolveHostFunctions(const HostResolver& resolve) {
  if (!resolve) return std::nullopt;
  HostFunctionTable t;
  std::size_t i = 0;
  // Members in the order of kHostFunctionNames; stops at the first name the
  // host lacks.
  const bool all = take(resolve, i++, t.execQuillon) && take(resolve, i++, t.registCallback) &&
                   take(resolve, i++, t.getMailbox) && take(resolve, i++, t.getAccount) &&
                   take(resolve, i++, t.getFolderName) && take(resolve, i++, t.importFile) &&
                   take(resolve, i++, t.moveMail) && take(resolve, i++, t.markMail) &&
                   take(resolve, i++, t.deleteMail) && take(resolve, i++, t.folderGetCurrentFolder) &&
                   take(resolve, i++, t.folderGetCurrentEntry) && take(resolve, i++, t.folderGetSelectEntry) &&
                   take(resolve, i++, t.folderReply) && take(resolve, i++, t.folderOpenMail) &&
                   take(resolve, i++, t.sendGetText) && take(resolve, i++, t.sendGetHeader) &&
                   take(resolve, i++, t.sendSetText) && take(resolve, i++, t.sendSetHeader) &&
                   take(resolve, i++, t.sendGetEditor) && take(resolve, i++, t.viewGetText) &&
                   take(resolve, i++, t.viewGetHeader) && take(resolve, i++, t.viewSetText) &&
                   take(resolve, i++, t.viewGetPath) && take(resolve, i++, t.viewGetEditor) &&
                   take(resolve, i++, t.viewChangeMail) && take(resolve, i++, t.jisToSjis);
  if (!all) return std::nullopt;
  static_assert(sizeof(HostFunctionTable) == kHostFunctionCount * sizeof(void*),
                "every host function has its member");
  return t;
}

}  // namespace gleanix::sys
