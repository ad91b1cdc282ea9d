// The 26 functions Quillon exports, with their exact argument lists. They
// serve the active simulator; with none alive they answer as an idle host
// (empty strings, false, 0).
#include <string_view>
#include <unordered_map>

#include "host/exports.h"
#include "host/quillon_sim.h"
#include "mailtext/iso2022jp.h"

namespace {

using gleanix::host::QuillonSim;
using gleanix::sys::CommandProc;
using gleanix::sys::HostBool;
using gleanix::sys::WindowHandle;

QuillonSim* sim() { return QuillonSim::active(); }

}  // namespace

extern "C" {

void GLEANIX_STDCALL APAExecQuillon(std::uint32_t) {}

std::int32_t GLEANIX_STDCALL APARegistCallback(CommandProc proc, std::int32_t parameter) {
  return sim() ? sim()->registCallback(proc, parameter) : 0;
}

const char* GLEANIX_STDCALL APAGetMailbox() { return sim() ? sim()->getMailbox() : ""; }

const char* GLEANIX_STDCALL APAGetAccount(WindowHandle mainWindow) {
  return sim() ? sim()->getAccount(mainWindow) : "";
}

const char* GLEANIX_STDCALL APAGetFolderName(std::uint32_t) { return ""; }

HostBool GLEANIX_STDCALL APAImportFile(const char* file, const char* folder, std::uint32_t attribute) {
  if (!sim() || file == nullptr || folder == nullptr) return 0;
  return sim()->importFile(file, folder, attribute) ? 1 : 0;
}

HostBool GLEANIX_STDCALL APAMoveMail(const char* mail, const char* folder) {
  if (!sim() || mail == nullptr) return 0;
  return sim()->moveMail(mail, folder ? folder : "") ? 1 : 0;
}

void GLEANIX_STDCALL APAMarkMail(std::uint32_t, std::uint32_t, std::uint32_t) {}

void GLEANIX_STDCALL APADeleteMail(std::uint32_t) {}

const char* GLEANIX_STDCALL APAFolderGetCurrentFolder(WindowHandle mainWindow) {
  return sim() ? sim()->folderGetCurrentFolder(mainWindow) : "";
}

const char* GLEANIX_STDCALL APAFolderGetCurrentEntry(WindowHandle mainWindow) {
  return sim() ? sim()->folderGetCurrentEntry(mainWindow) : "";
}

const char* GLEANIX_STDCALL APAFolderGetSelectEntry(WindowHandle mainWindow, std::int32_t index) {
  return sim() ? sim()->folderGetSelectEntry(mainWindow, index) : "";
}

void GLEANIX_STDCALL APAFolderReply(std::uint32_t, std::uint32_t) {}

HostBool GLEANIX_STDCALL APAFolderOpenMail(WindowHandle mainWindow, const char* mail, std::int32_t flag) {
  return sim() && sim()->folderOpenMail(mainWindow, mail, flag) ? 1 : 0;
}

void GLEANIX_STDCALL APASendGetText(std::uint32_t, std::uint32_t) {}

const char* GLEANIX_STDCALL APASendGetHeader(WindowHandle send) { return sim() ? sim()->sendGetHeader(send) : ""; }

void GLEANIX_STDCALL APASendSetText(std::uint32_t, std::uint32_t) {}

void GLEANIX_STDCALL APASendSetHeader(WindowHandle send, const char* header) {
  if (sim()) sim()->sendSetHeader(send, header);
}

WindowHandle GLEANIX_STDCALL APASendGetEditor(WindowHandle send) { return sim() ? sim()->editorOf(send) : 0; }

const char* GLEANIX_STDCALL APAViewGetText(WindowHandle) { return ""; }

const char* GLEANIX_STDCALL APAViewGetHeader(WindowHandle) { return ""; }

void GLEANIX_STDCALL APAViewSetText(std::uint32_t, std::uint32_t) {}

const char* GLEANIX_STDCALL APAViewGetPath(WindowHandle view) { return sim() ? sim()->viewGetPath(view) : ""; }

WindowHandle GLEANIX_STDCALL APAViewGetEditor(WindowHandle view) { return sim() ? sim()->editorOf(view) : 0; }

void GLEANIX_STDCALL APAViewChangeMail(WindowHandle view, const char* mail) {
  if (sim()) sim()->viewChangeMail(view, mail);
}

// The caller's buffer holds length + 1 bytes: the converted text is never
// longer than its input, and a NUL follows it.
void GLEANIX_STDCALL APAJisToSjis(char* output, const char* input, std::int32_t length) {
  if (output == nullptr) return;
  if (input == nullptr) {
    output[0] = '\0';
    return;
  }
  gleanix::mailtext::convertIso2022JpToSjis(output, input, length);
}

}  // extern "C"

namespace gleanix::host {

void* exportedFunction(const char* name) {
  static const std::unordered_map<std::string_view, void*> table = {
      {"_APAExecQuillon@4", reinterpret_cast<void*>(&APAExecQuillon)},
      {"_APARegistCallback@8", reinterpret_cast<void*>(&APARegistCallback)},
      {"_APAGetMailbox@0", reinterpret_cast<void*>(&APAGetMailbox)},
      {"_APAGetAccount@4", reinterpret_cast<void*>(&APAGetAccount)},
      {"_APAGetFolderName@4", reinterpret_cast<void*>(&APAGetFolderName)},
      {"_APAImportFile@12", reinterpret_cast<void*>(&APAImportFile)},
      {"_APAMoveMail@8", reinterpret_cast<void*>(&APAMoveMail)},
      {"_APAMarkMail@12", reinterpret_cast<void*>(&APAMarkMail)},
      {"_APADeleteMail@4", reinterpret_cast<void*>(&APADeleteMail)},
      {"_APAFolderGetCurrentFolder@4", reinterpret_cast<void*>(&APAFolderGetCurrentFolder)},
      {"_APAFolderGetCurrentEntry@4", reinterpret_cast<void*>(&APAFolderGetCurrentEntry)},
      {"_APAFolderGetSelectEntry@8", reinterpret_cast<void*>(&APAFolderGetSelectEntry)},
      {"_APAFolderReply@8", reinterpret_cast<void*>(&APAFolderReply)},
      {"_APAFolderOpenMail@12", reinterpret_cast<void*>(&APAFolderOpenMail)},
      {"_APASendGetText@8", reinterpret_cast<void*>(&APASendGetText)},
      {"_APASendGetHeader@4", reinterpret_cast<void*>(&APASendGetHeader)},
      {"_APASendSetText@8", reinterpret_cast<void*>(&APASendSetText)},
      {"_APASendSetHeader@8", reinterpret_cast<void*>(&APASendSetHeader)},
      {"_APASendGetEditor@4", reinterpret_cast<void*>(&APASendGetEditor)},
      {"_APAViewGetText@4", reinterpret_cast<void*>(&APAViewGetText)},
      {"_APAViewGetHeader@4", reinterpret_cast<void*>(&APAViewGetHeader)},
      {"_APAViewSetText@8", reinterpret_cast<void*>(&APAViewSetText)},
      {"_APAViewGetPath@4", reinterpret_cast<void*>(&APAViewGetPath)},
      {"_APAViewGetEditor@4", reinterpret_cast<void*>(&APAViewGetEditor)},
      {"_APAViewChangeMail@8", reinterpret_cast<void*>(&APAViewChangeMail)},
      {"_APAJisToSjis@12", reinterpret_cast<void*>(&APAJisToSjis)},
  };
  if (name == nullptr) return nullptr;
  auto it = table.find(name);
  return it == table.end() ? nullptr : it->second;
}

}  // namespace gleanix::host
