#pragma once
// ISO-2022-JP ("JIS") to Shift-JIS conversion, shaped like the host's
// "_APAJisToSjis@12" so that the simulated host can serve that function with
// it and tests can pass it wherever the host function is expected.
//
// Kept free of every other project header: the simulated host includes it.

#include <cstdint>

namespace gleanix::mailtext {

// Converts `length` bytes of ISO-2022-JP text at `input` into Shift-JIS at
// `output` and ends the result with a NUL.
//
// Bound: every input byte yields at most one output byte (escape sequences
// and NUL bytes yield none), so the converted text is never longer than the
// input. With the terminating NUL the function writes at most length + 1
// bytes: `output` must have room for length + 1 bytes. Input and output must
// not overlap. A negative length counts as 0 (the output is just the NUL).
//
// Understood: ESC ( B and ESC ( J (ASCII / JIS-Roman, copied as they are),
// ESC $ B and ESC $ @ (JIS X 0208, each pair of bytes 0x21-0x7E becomes one
// double-byte character), ESC ( I and SO ... SI (half-width katakana, 0x21-0x5F
// become 0xA1-0xDF). Anything else passes through byte for byte: unknown or
// cut escape sequences, 8-bit bytes (Shift-JIS text that is already
// converted), odd bytes in a double-byte run. A CR or LF ends a double-byte
// or katakana run, so a line that forgot to switch back to ASCII cannot
// garble the lines after it. NUL bytes are dropped, because the caller takes
// the result up to the first NUL and would lose the rest of the text.
void convertIso2022JpToSjis(char* output, const char* input, std::int32_t length);

}  // namespace gleanix::mailtext
