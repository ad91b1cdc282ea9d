#pragma once
// Store data (entry-list keys, trash-list paths, folder names, mail names
// typed by a user) is joined onto the mail root to make paths. Such a text
// must name something below the root and nothing else: this is the one
// test every place that joins data onto the root applies.

#include <string_view>

namespace gleanix::util {

// Whether relative, joined onto a directory, names a path inside it. False
// for: a byte below 0x20 (a NUL would cut the path short), a ":" (a drive
// letter or an NTFS stream), a leading "\" or "/" (an absolute path, a UNC
// or "\\?\" prefix), and a component that is empty, "." or ".." or made of
// dots and blanks only (Windows trims those to "." or ".."). Both "\" (where
// it starts a character) and "/" separate components; one trailing "\" (a
// folder path) is allowed. The empty text names the directory itself.
bool isContainedRelativePath(std::string_view relative);

// Whether a single name (a directory entry, a key) is a plain name: a
// contained path with no separator at all.
bool isPlainName(std::string_view name);

}  // namespace gleanix::util
