#pragma once
// make-store: writes a deterministic, realistic Quillon mail store. The same
// options give the same bytes on every machine. Three accounts with inbox,
// outbox and trash lists, user folders, a folder group with sub-folders, a
// folder the account's ORDER does not name, and mails in threads: mailing-
// list traffic with [list:number] tags, private and business mail, own
// replies in the outbox, trashed mails. The number of mails scales from the
// bundled sample to benchmark stores; larger stores add archive folders.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace gleanix::tools {

inline constexpr std::size_t kSampleMails = 60;
inline constexpr std::uint64_t kSampleSeed = 19991207;

struct StoreOptions {
  std::size_t mails = kSampleMails;
  std::uint64_t seed = kSampleSeed;
};

// Receives every file of the store once: its path relative to the mail root
// ("\" separators; the directories are implied) and its bytes.
using FileSink = std::function<void(const std::string& path, std::string_view bytes)>;

void generateStore(const StoreOptions& options, const FileSink& sink);

// Writes the store below directory, creating directories as needed. False,
// with *error set, when a file cannot be written.
bool writeStore(const std::string& directory, const StoreOptions& options, std::string* error);

}  // namespace gleanix::tools
