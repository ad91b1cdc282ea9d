#pragma once
// A mail file's bytes split into header lines and search body, as
// splitMail splits the file's lines, without copying a line where that can
// be helped. Most stored mails end every line in CR LF and are plain text:
// their header lines and body are then views into the bytes, and the body
// text (each body line followed by CR LF) is the tail of the bytes itself.
// Other mails (other line ends, multipart) are split over views of their
// lines, a text body being kept as its bytes until its lines are asked for:
// no line is copied there either, so a split costs little memory beside the
// bytes, however long or many the lines.
//
// The views point into the bytes handed to split() and into this object:
// keep both while they are used.

#include <string>
#include <string_view>
#include <vector>

#include "mailtext/split_mail.h"

namespace gleanix::mailtext {

class MailParts {
 public:
  // Splits a mail file's bytes; warn as for splitMail (only a multipart
  // mail warns). Replaces what an earlier split left.
  void split(std::string_view bytes, const MailWarning& warn);

  const std::vector<std::string_view>& header() const { return header_; }
  // The body lines (as splitMail's body).
  const std::vector<std::string_view>& body();
  // The header lines, each followed by CR LF.
  std::string_view headerText();
  // The body lines, each followed by CR LF (joinLines of the body).
  std::string_view bodyText();
  // headerText() and bodyText() added to out, without joining them here
  // first (a copied mail's text is built only once, in out).
  void appendHeaderText(std::string& out) const;
  void appendBodyText(std::string& out) const;
  // Whether the body text needs decodeBody (needsDecoding of bodyText()).
  bool bodyNeedsDecoding() const;

  // Whether the last split took the road without copies (for tests and
  // benchmarks that check the road is the one expected).
  bool viewedInPlace() const { return inPlace_; }

 private:
  bool splitInPlace(std::string_view bytes);
  void splitCopied(std::string_view bytes, const MailWarning& warn);
  // The lines joined, each followed by CR LF, at the first asking.
  static std::string_view joinedOnce(const std::vector<std::string_view>& lines, std::string& joined, bool& done);

  bool inPlace_ = false;
  std::vector<std::string_view> header_;
  std::vector<std::string_view> body_;
  bool bodyLinesReady_ = false;
  // In place: the tails of the bytes. Otherwise bodyText_ is the body's
  // bytes while wholeBody_ is set (a text body, with other line ends).
  std::string_view headerText_, bodyText_;
  bool wholeBody_ = false;
  // Otherwise: every line of the bytes, the multipart boundary that body_
  // lines may point to, and the joined texts once asked for.
  std::vector<std::string_view> lines_;
  std::string boundary_;
  std::string joinedHeader_, joinedBody_;
  bool headerJoined_ = false, bodyJoined_ = false;
};

}  // namespace gleanix::mailtext
