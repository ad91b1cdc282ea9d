#pragma once
// ERegExpParser: the one exception a bad pattern raises. Its message is the
// error text followed by the 1-based byte position in parentheses, for
// example "正規表現の末尾が変です(3)"; callers show the message as it is.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace gleanix::regex {

// The error texts, exactly as the user sees them.
namespace reg_exp_errors {
inline constexpr const char* kNoTrailByte = "２バイト文字コードの２バイト目がありません";
inline constexpr const char* kBadBackslash = "\"\\\" の使い方が間違っています";
inline constexpr const char* kBadHex = "１６進数の表記が変です";
inline constexpr const char* kBadOctal = "８進数の表記が変です";
inline constexpr const char* kNeedBracket = "右ブラケット \"]\" が必要です";
inline constexpr const char* kBadRange = "キャラクタ範囲の指定が変です";
inline constexpr const char* kBadClass = "キャラクタクラス指定が変です";
inline constexpr const char* kNeedParen = "右括弧 \")\" が必要です";
inline constexpr const char* kNeedAtom = "文字か、左括弧 \"(\" が必要です";
inline constexpr const char* kBadEnd = "正規表現の末尾が変です";
}  // namespace reg_exp_errors

class ERegExpParser : public std::runtime_error {
 public:
  // position: 1-based byte position of the error in the pattern.
  ERegExpParser(std::string_view text, std::size_t position);

  // The position as the callers keep it, in 16 bits. Positions beyond 65535
  // (only in pasted texts that long) stay at 65535 instead of wrapping round
  // to a small, misleading number.
  std::uint16_t position() const;
  std::size_t bytePosition() const { return position_; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  std::size_t position_;
};

}  // namespace gleanix::regex
