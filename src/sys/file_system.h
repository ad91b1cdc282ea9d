#pragma once
// The only door to the disk. Paths are CP932 strings with "\" separators, as
// the host hands them; file names match without regard to letter case, as on
// Windows. Reads never throw: an unreadable file counts as absent.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gleanix::sys {

struct DirEntry {
  std::string name;  // as stored on disk
  bool isDirectory = false;
  // A symbolic link, junction or other reparse point: where it leads is
  // asked of the file system (staysWithin) before it is trusted.
  bool isLink = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool exists(const std::string& path) const = 0;  // file or directory
  virtual bool isFile(const std::string& path) const = 0;
  virtual bool isDirectory(const std::string& path) const = 0;

  // The whole file as bytes; nullopt when it cannot be read.
  virtual std::optional<std::string> readFile(const std::string& path) const = 0;
  // The same into a buffer whose room is used again (a search reads mail
  // after mail into a few buffers); false, into unspecified, when the file
  // cannot be read. The default takes readFile's bytes.
  virtual bool readFileInto(const std::string& path, std::string& into) const;

  // The whole file as lines, split the way the host's string lists split
  // text: a line ends at CR LF, a lone CR or a lone LF; a last line without
  // a line end still counts, a final line end adds no empty line.
  std::optional<std::vector<std::string>> readLines(const std::string& path) const;

  // Entries matching a wildcard pattern ("C:\Mail\Acc*.*", "...\USER*.BOX")
  // with Windows rules ("*.*" also matches a name without a dot; "." and ".."
  // are never returned), sorted as NTFS returns them: names compared
  // upper-cased, byte by byte.
  virtual std::vector<DirEntry> list(const std::string& pattern) const = 0;

  // Every entry of a directory (its path ending in "\"), in no particular
  // order, "." and ".." left out: for callers that only ask which names
  // exist, without the sorting and copying of list. The name is valid only
  // during the call. Nothing is visited when the directory cannot be read.
  // The default takes the entries of list.
  using EntryVisitor = std::function<void(std::string_view name, bool isDirectory, bool isLink)>;
  virtual void forEachEntry(const std::string& directory, const EntryVisitor& visit) const;

  // The name of the last path component as the file system spells it;
  // nullopt when it does not exist.
  virtual std::optional<std::string> storedName(const std::string& path) const = 0;

  // Creates one directory (its parent must exist). False on failure.
  virtual bool createDirectory(const std::string& path) = 0;

  // Replaces the file's content at once: written to a temporary file beside
  // it and renamed over it, so a crash leaves the old or the new file whole.
  virtual bool writeFileAtomic(const std::string& path, std::string_view bytes) = 0;

  // Removes a file (never a directory). False when it cannot.
  virtual bool removeFile(const std::string& path) = 0;

  // Renames or moves a file or directory within one volume. Fails, leaving
  // both in place, when the target exists, unless the target is the source
  // itself in another letter case: then only the spelling changes.
  virtual bool moveFile(const std::string& from, const std::string& to) = 0;

  // Adds line and CR LF at the end of a file in one write and makes them
  // durable, first ending an unterminated last line with CR LF; creates the
  // file when it is missing. A kill leaves the file with or without the
  // line. False on failure. The default rewrites the whole file atomically.
  virtual bool appendLine(const std::string& path, std::string_view line);

  // Whether path, which lies below the directory root as text, still lies
  // inside it once the file system follows symbolic links, junctions or
  // device names on the way. A path that does not exist is judged by its
  // existing part. File systems without such things keep the default: true.
  virtual bool staysWithin(const std::string& root, const std::string& path) const;

  // readFileInto of a path that must stay inside root as staysWithin
  // judges it; false when it does not. The default asks staysWithin and
  // then reads; a file system may check and read in fewer steps (a search
  // reads every mail through this).
  virtual bool readFileWithin(const std::string& root, const std::string& path, std::string& into) const;
};

// Splits bytes into lines as FileSystem::readLines does.
std::vector<std::string> splitLines(std::string_view bytes);
// The same lines as views into bytes (into lines, which is cleared first).
void splitLineViews(std::string_view bytes, std::vector<std::string_view>& lines);

}  // namespace gleanix::sys
