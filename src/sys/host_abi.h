#pragma once
// The raw contract between Quillon and a plug-in: the 26 functions the host
// exports, by their decorated stdcall names, with their exact argument
// lists. Strings are NUL-terminated CP932; a string the host returns belongs
// to the host and must be copied at once. Booleans come back as a 32-bit
// value of which only the low byte counts.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "sys/handles.h"

#if defined(_WIN32) && !defined(_WIN64)
#define GLEANIX_STDCALL __stdcall
#else
#define GLEANIX_STDCALL
#endif

namespace gleanix::sys {

// A boolean result of the host: only the low byte counts.
using HostBool = std::uint32_t;
constexpr bool hostBoolValue(HostBool value) { return (value & 0xFFu) != 0; }

// What "_APARegistCallback@8" takes: called with the host window in which
// the command was chosen and the parameter given at registration.
using CommandProc = void(GLEANIX_STDCALL*)(WindowHandle window, std::int32_t parameter);

namespace abi {

using ExecQuillonFn = void(GLEANIX_STDCALL*)(std::uint32_t);
using RegistCallbackFn = std::int32_t(GLEANIX_STDCALL*)(CommandProc proc, std::int32_t parameter);
using GetMailboxFn = const char*(GLEANIX_STDCALL*)();
using GetAccountFn = const char*(GLEANIX_STDCALL*)(WindowHandle mainWindow);
using GetFolderNameFn = const char*(GLEANIX_STDCALL*)(std::uint32_t);
// (mail file path, destination folder without trailing "\", attribute word)
using ImportFileFn = HostBool(GLEANIX_STDCALL*)(const char* file, const char* folder, std::uint32_t attribute);
// (source mail path without ".ALM", destination folder without trailing "\";
// null or empty: the trash)
using MoveMailFn = HostBool(GLEANIX_STDCALL*)(const char* mail, const char* folder);
using MarkMailFn = void(GLEANIX_STDCALL*)(std::uint32_t, std::uint32_t, std::uint32_t);
using DeleteMailFn = void(GLEANIX_STDCALL*)(std::uint32_t);
using FolderGetCurrentFolderFn = const char*(GLEANIX_STDCALL*)(WindowHandle mainWindow);
using FolderGetCurrentEntryFn = const char*(GLEANIX_STDCALL*)(WindowHandle mainWindow);
// index -1: the first selected mail, 0: the next one
using FolderGetSelectEntryFn = const char*(GLEANIX_STDCALL*)(WindowHandle mainWindow, std::int32_t index);
using FolderReplyFn = void(GLEANIX_STDCALL*)(std::uint32_t, std::uint32_t);
// the flag is passed as 0 or -1
using FolderOpenMailFn = HostBool(GLEANIX_STDCALL*)(WindowHandle mainWindow, const char* mail, std::int32_t flag);
using SendGetTextFn = void(GLEANIX_STDCALL*)(std::uint32_t, std::uint32_t);
using SendGetHeaderFn = const char*(GLEANIX_STDCALL*)(WindowHandle sendWindow);
using SendSetTextFn = void(GLEANIX_STDCALL*)(std::uint32_t, std::uint32_t);
using SendSetHeaderFn = void(GLEANIX_STDCALL*)(WindowHandle sendWindow, const char* header);
using SendGetEditorFn = WindowHandle(GLEANIX_STDCALL*)(WindowHandle sendWindow);
using ViewGetTextFn = const char*(GLEANIX_STDCALL*)(WindowHandle viewWindow);
using ViewGetHeaderFn = const char*(GLEANIX_STDCALL*)(WindowHandle viewWindow);
using ViewSetTextFn = void(GLEANIX_STDCALL*)(std::uint32_t, std::uint32_t);
using ViewGetPathFn = const char*(GLEANIX_STDCALL*)(WindowHandle viewWindow);
using ViewGetEditorFn = WindowHandle(GLEANIX_STDCALL*)(WindowHandle viewWindow);
using ViewChangeMailFn = void(GLEANIX_STDCALL*)(WindowHandle viewWindow, const char* mail);
// (output buffer, ISO-2022-JP input, input length in bytes): writes at most
// as many bytes as the input has, then a NUL.
using JisToSjisFn = void(GLEANIX_STDCALL*)(char* output, const char* input, std::int32_t length);

}  // namespace abi

inline constexpr std::size_t kHostFunctionCount = 26;

// The exported names, in the order of HostFunctionTable's members.
inline constexpr std::array<const char*, kHostFunctionCount> kHostFunctionNames = {
    "_APAExecQuillon@4",
    "_APARegistCallback@8",
    "_APAGetMailbox@0",
    "_APAGetAccount@4",
    "_APAGetFolderName@4",
    "_APAImportFile@12",
    "_APAMoveMail@8",
    "_APAMarkMail@12",
    "_APADeleteMail@4",
    "_APAFolderGetCurrentFolder@4",
    "_APAFolderGetCurrentEntry@4",
    "_APAFolderGetSelectEntry@8",
    "_APAFolderReply@8",
    "_APAFolderOpenMail@12",
    "_APASendGetText@8",
    "_APASendGetHeader@4",
    "_APASendSetText@8",
    "_APASendSetHeader@8",
    "_APASendGetEditor@4",
    "_APAViewGetText@4",
    "_APAViewGetHeader@4",
    "_APAViewSetText@8",
    "_APAViewGetPath@4",
    "_APAViewGetEditor@4",
    "_APAViewChangeMail@8",
    "_APAJisToSjis@12",
};

// The host function table, resolved by name.
struct HostFunctionTable {
  abi::ExecQuillonFn execQuillon = nullptr;
  abi::RegistCallbackFn registCallback = nullptr;
  abi::GetMailboxFn getMailbox = nullptr;
  abi::GetAccountFn getAccount = nullptr;
  abi::GetFolderNameFn getFolderName = nullptr;
  abi::ImportFileFn importFile = nullptr;
  abi::MoveMailFn moveMail = nullptr;
  abi::MarkMailFn markMail = nullptr;
  abi::DeleteMailFn deleteMail = nullptr;
  abi::FolderGetCurrentFolderFn folderGetCurrentFolder = nullptr;
  abi::FolderGetCurrentEntryFn folderGetCurrentEntry = nullptr;
  abi::FolderGetSelectEntryFn folderGetSelectEntry = nullptr;
  abi::FolderReplyFn folderReply = nullptr;
  abi::FolderOpenMailFn folderOpenMail = nullptr;
  abi::SendGetTextFn sendGetText = nullptr;
  abi::SendGetHeaderFn sendGetHeader = nullptr;
  abi::SendSetTextFn sendSetText = nullptr;
  abi::SendSetHeaderFn sendSetHeader = nullptr;
  abi::SendGetEditorFn sendGetEditor = nullptr;
  abi::ViewGetTextFn viewGetText = nullptr;
  abi::ViewGetHeaderFn viewGetHeader = nullptr;
  abi::ViewSetTextFn viewSetText = nullptr;
  abi::ViewGetPathFn viewGetPath = nullptr;
  abi::ViewGetEditorFn viewGetEditor = nullptr;
  abi::ViewChangeMailFn viewChangeMail = nullptr;
  abi::JisToSjisFn jisToSjis = nullptr;
};

// Looks a function up by its exported name; null when the host lacks it
// (GetProcAddress on Windows, the simulated host's table on Linux).
using HostResolver = std::function<void*(const char* name)>;

// All 26 functions, or nothing: a host lacking any one of them is refused.
std::optional<HostFunctionTable> resolveHostFunctions(const HostResolver& resolve);

}  // namespace gleanix::sys
