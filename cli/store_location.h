#pragma once
// Where the command-line tool finds its mail store.

#include <string>

#include "sys/file_system.h"

namespace gleanix::cli {

// The bundled sample store: samples/store of the source tree the binary was
// built in, found from the binary's own location (so it does not depend on
// the working directory), else from the source directory it was built from.
std::string bundledStoreDirectory();

// The mail root for a --store value (empty: the bundled store): an absolute
// path ending in a separator. Throws UsageError when it is not a directory
// or holds neither "Mailbox.ini" nor "Account.ini".
std::string storeRoot(const sys::FileSystem& fs, const std::string& given);

}  // namespace gleanix::cli
