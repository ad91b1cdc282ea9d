# Writes the read-me as Windows users read it: Shift-JIS (CP932) with CR LF
# line ends, the version text filled in.
#   cmake -DIN=<UTF-8 template> -DOUT=<file> -DVERSION_TEXT=<text> -P make_readme.cmake
file(READ "${IN}" text)
string(CONFIGURE "${text}" text @ONLY)
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}.utf8" "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 "${OUT}.utf8"
                OUTPUT_FILE "${OUT}" RESULT_VARIABLE rc ERROR_VARIABLE err)
file(REMOVE "${OUT}.utf8")
if(NOT rc EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "read-me: no Shift-JIS form: ${err}")
endif()
