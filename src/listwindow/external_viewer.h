#pragma once
// The external viewer of the pickup list: the program the user named in the
// store's description file, launched with a mail file; four known text
// editors are also told to jump to the first line of the mail's body.

#include <string>
#include <string_view>

#include "sys/file_system.h"

namespace gleanix::listwindow {

// The viewer of mail root + "Mailbox.ini": the value of its first line that
// starts with exactly "ExternalViewer=" (letter case counts), blanks trimmed,
// doubled quotes undoubled and one enclosing pair of quotes removed. Empty
// when there is no such file or line, or no file of that name.
std::string lookUpViewer(const sys::FileSystem& fs, const std::string& mailRoot);

// Every pair of adjacent double quotes loses its second quote, the walk
// going on after the first ("""" becomes "").
std::string undoubleQuotes(std::string_view value);

// The line option of a known editor, by the upper-cased file name of the
// viewer: "AK32.EXE" /L, "DANA.EXE" /J, "HIDEMARU.EXE" /j, "WZEDIT.EXE" --J;
// empty for any other program.
std::string lineOption(std::string_view viewerPath);

// The parameters the viewer gets for a mail file: the file's path as it is
// (no quotes); for a known editor preceded by its option, the number of the
// first line of the body (counted from 1) and a blank. A mail without an
// empty line, or whose first line is empty, gets no option; a body of
// empty lines only gives the number of the last line.
std::string viewerParameters(const sys::FileSystem& fs, std::string_view viewerPath, const std::string& mailFile);

}  // namespace gleanix::listwindow
