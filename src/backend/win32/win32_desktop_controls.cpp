// The standard and common controls of the Win32 desktop: buttons, combo
// boxes, edits, tree views, list views, headers, progress bars, image lists.

#include "backend/win32/win32_desktop.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "util/sjis.h"

namespace gleanix::backend {
namespace {

// The rich edit message that keeps a selection shown without the focus.
constexpr UINT kHideSelection = WM_USER + 63;

HWND hw(sys::WindowHandle w) { return reinterpret_cast<HWND>(w); }
HTREEITEM ti(sys::TreeItem i) { return reinterpret_cast<HTREEITEM>(i); }

// Runs a change from code with the control's notifications held back.
class Quiet {
 public:
  Quiet(Win32Desktop::Record* r) : r_(r) {
    if (r_) ++r_->suppress;
  }
  ~Quiet() {
    if (r_) --r_->suppress;
  }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  Win32Desktop::Record* r_;
};

Win32Desktop::Record* rec(sys::WindowHandle w) {
  return static_cast<Win32Desktop::Record*>(GetPropA(hw(w), "Gleanix.Record"));
}

// A virtual list view: its rows are its source's, never the control's.
bool isVirtualList(sys::WindowHandle w) {
  const Win32Desktop::Record* r = rec(w);
  return r && r->kind == sys::ControlKind::ListView && (r->style & sys::kOwnerData);
}

TVITEMA treeItemOf(sys::TreeItem item, const sys::TreeItemData& data, std::string& text) {
  text = data.text;
  TVITEMA it{};
  it.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_HANDLE;
  it.hItem = ti(item);
  it.pszText = text.data();
  it.iImage = data.image;
  it.iSelectedImage = data.selectedImage;
  it.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(std::max(0, data.state)));
  it.stateMask = TVIS_STATEIMAGEMASK;
  return it;
}

}  // namespace

// --- buttons

void Win32Desktop::setChecked(sys::WindowHandle w, bool checked) {
  Quiet q(rec(w));
  SendMessageA(hw(w), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Desktop::isChecked(sys::WindowHandle w) const {
  return SendMessageA(hw(w), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Desktop::setDefaultButton(sys::WindowHandle w, bool isDefault) {
  SendMessageA(hw(w), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// --- combo boxes

void Win32Desktop::comboSetItems(sys::WindowHandle w, const std::vector<std::string>& items) {
  Quiet q(rec(w));
  SendMessageA(hw(w), CB_RESETCONTENT, 0, 0);
  for (const std::string& s : items) SendMessageA(hw(w), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void Win32Desktop::comboSetIndex(sys::WindowHandle w, int index) {
  Quiet q(rec(w));
  SendMessageA(hw(w), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32Desktop::comboIndex(sys::WindowHandle w) const {
  const LRESULT i = SendMessageA(hw(w), CB_GETCURSEL, 0, 0);
  return i == CB_ERR ? -1 : static_cast<int>(i);
}

// --- edits
//
// Callers work with byte offsets into the control's CP932 text, as an edit
// control of an ANSI window is meant to count them. Wine's keeps its text as
// UTF-16 and counts characters even for an ANSI window. Which one a control
// does shows in its length: the end of its last line in its own units
// against the length of its ANSI text. They differ only when the text holds
// double-byte characters, and then the positions are converted with the
// text; otherwise they pass unchanged (and cost two cheap messages).

namespace {

int characterCount(std::string_view text) {
  int n = 0;
  for (std::size_t i = 0; i < text.size(); i += util::charBytesAt(text, i)) ++n;
  return n;
}

// The byte offset of character index chars, and back (an offset inside a
// double-byte character counts that character as passed).
int byteOffsetOf(std::string_view text, int chars) {
  std::size_t i = 0;
  for (int n = 0; n < chars && i < text.size(); ++n) i += util::charBytesAt(text, i);
  return static_cast<int>(i);
}

int charOffsetOf(std::string_view text, int bytes) {
  int n = 0;
  const std::size_t limit = std::min(text.size(), static_cast<std::size_t>(bytes));
  for (std::size_t i = 0; i < limit; i += util::charBytesAt(text, i)) ++n;
  return n;
}

// The control's text when it counts characters rather than bytes.
std::optional<std::string> characterCountedText(const Win32Desktop& desktop, sys::WindowHandle w) {
  const LRESULT lines = SendMessageA(hw(w), EM_GETLINECOUNT, 0, 0);
  const LRESULT lastLine = SendMessageA(hw(w), EM_LINEINDEX, lines > 1 ? lines - 1 : 0, 0);
  if (lastLine < 0) return std::nullopt;
  const LRESULT units = lastLine + SendMessageA(hw(w), EM_LINELENGTH, static_cast<WPARAM>(lastLine), 0);
  if (units == GetWindowTextLengthA(hw(w))) return std::nullopt;
  std::string text = desktop.text(w);
  if (characterCount(text) != units) return std::nullopt;
  return text;
}

}  // namespace

std::pair<int, int> Win32Desktop::editSelection(sys::WindowHandle w) const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(hw(w), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  std::pair<int, int> sel{static_cast<int>(start), static_cast<int>(end)};
  if (const auto text = characterCountedText(*this, w)) {
    sel = {byteOffsetOf(*text, sel.first), byteOffsetOf(*text, sel.second)};
  }
  return sel;
}

void Win32Desktop::setEditSelection(sys::WindowHandle w, int start, int end) {
  if (const auto text = characterCountedText(*this, w)) {
    // -1 keeps its meaning (to the end, or no selection).
    if (start >= 0) start = charOffsetOf(*text, start);
    if (end >= 0) end = charOffsetOf(*text, end);
  }
  SendMessageA(hw(w), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void Win32Desktop::replaceEditSelection(sys::WindowHandle w, const std::string& text, bool canUndo) {
  Quiet q(rec(w));
  SendMessageA(hw(w), EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32Desktop::hideEditSelection(sys::WindowHandle w, bool hide) {
  SendMessageA(hw(w), kHideSelection, hide ? TRUE : FALSE, TRUE);
}

// --- tree views

sys::TreeItem Win32Desktop::treeInsert(sys::WindowHandle w, sys::TreeItem parent, const sys::TreeItemData& data) {
  std::string text;
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent ? ti(parent) : TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item = treeItemOf(0, data, text);
  ins.item.mask &= ~static_cast<UINT>(TVIF_HANDLE);
  Quiet q(rec(w));
  return static_cast<sys::TreeItem>(SendMessageA(hw(w), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

void Win32Desktop::treeDeleteAll(sys::WindowHandle w) {
  Quiet q(rec(w));
  SendMessageA(hw(w), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void Win32Desktop::treeSetItem(sys::WindowHandle w, sys::TreeItem item, const sys::TreeItemData& data) {
  std::string text;
  TVITEMA it = treeItemOf(item, data, text);
  Quiet q(rec(w));
  SendMessageA(hw(w), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

sys::TreeItemData Win32Desktop::treeItem(sys::WindowHandle w, sys::TreeItem item) const {
  char buf[1024] = {};
  TVITEMA it{};
  it.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_HANDLE;
  it.hItem = ti(item);
  it.pszText = buf;
  it.cchTextMax = sizeof(buf);
  it.stateMask = TVIS_STATEIMAGEMASK;
  if (!SendMessageA(hw(w), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it))) return {};
  return {buf, it.iImage, it.iSelectedImage, static_cast<int>((it.state & TVIS_STATEIMAGEMASK) >> 12)};
}

void Win32Desktop::treeExpand(sys::WindowHandle w, sys::TreeItem item, bool expand) {
  Quiet q(rec(w));
  SendMessageA(hw(w), TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, static_cast<LPARAM>(item));
}

bool Win32Desktop::treeIsExpanded(sys::WindowHandle w, sys::TreeItem item) const {
  return (SendMessageA(hw(w), TVM_GETITEMSTATE, static_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void Win32Desktop::treeSelect(sys::WindowHandle w, sys::TreeItem item) {
  Quiet q(rec(w));
  SendMessageA(hw(w), TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(item));
}

sys::TreeItem Win32Desktop::treeSelected(sys::WindowHandle w) const {
  return static_cast<sys::TreeItem>(SendMessageA(hw(w), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

sys::TreeHit Win32Desktop::treeHitTest(sys::WindowHandle w, sys::Point p) const {
  TVHITTESTINFO info{};
  info.pt = {p.x, p.y};
  SendMessageA(hw(w), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  sys::TreeHit hit;
  hit.item = reinterpret_cast<sys::TreeItem>(info.hItem);
  const UINT f = info.flags;
  if (!hit.item) return {};
  if (f & TVHT_ONITEMSTATEICON) {
    hit.part = sys::TreePart::StateIcon;
  } else if (f & TVHT_ONITEMICON) {
    hit.part = sys::TreePart::Icon;
  } else if (f & TVHT_ONITEMLABEL) {
    hit.part = sys::TreePart::Label;
  } else if (f & TVHT_ONITEMBUTTON) {
    hit.part = sys::TreePart::Button;
  } else if (f & TVHT_ONITEMINDENT) {
    hit.part = sys::TreePart::Indent;
  } else if (f & TVHT_ONITEMRIGHT) {
    hit.part = sys::TreePart::Right;
  } else {
    return {};
  }
  return hit;
}

void Win32Desktop::treeSetTopItem(sys::WindowHandle w, sys::TreeItem item) {
  SendMessageA(hw(w), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, static_cast<LPARAM>(item));
}

sys::TreeItem Win32Desktop::treeTopItem(sys::WindowHandle w) const {
  return static_cast<sys::TreeItem>(SendMessageA(hw(w), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
}

void Win32Desktop::treeSetImageList(sys::WindowHandle w, sys::ImageListHandle images, bool stateImages) {
  SendMessageA(hw(w), TVM_SETIMAGELIST, stateImages ? TVSIL_STATE : TVSIL_NORMAL, static_cast<LPARAM>(images));
}

// --- list views

void Win32Desktop::listAddColumn(sys::WindowHandle w, const std::string& caption, int width) {
  std::string text = caption;
  LVCOLUMNA c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  c.pszText = text.data();
  c.cx = width;
  HWND header = reinterpret_cast<HWND>(SendMessageA(hw(w), LVM_GETHEADER, 0, 0));
  const int index = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  c.iSubItem = index;
  SendMessageA(hw(w), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c));
}

int Win32Desktop::listColumnWidth(sys::WindowHandle w, int column) const {
  return static_cast<int>(SendMessageA(hw(w), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void Win32Desktop::listSetColumnWidth(sys::WindowHandle w, int column, int width) {
  SendMessageA(hw(w), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(std::max(0, width), 0));
}

void Win32Desktop::listInsertItem(sys::WindowHandle w, int index, const std::vector<std::string>& texts,
                                  int stateImage) {
  if (isVirtualList(w)) return;
  Quiet q(rec(w));
  std::string caption = texts.empty() ? std::string() : texts[0];
  LVITEMA it{};
  it.mask = LVIF_TEXT | LVIF_STATE;
  it.iItem = index;
  it.pszText = caption.data();
  it.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(stateImage + 1));
  it.stateMask = LVIS_STATEIMAGEMASK;
  const int at = static_cast<int>(SendMessageA(hw(w), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
  for (std::size_t c = 1; c < texts.size() && at >= 0; ++c) listSetItemText(w, at, static_cast<int>(c), texts[c]);
}

void Win32Desktop::listSetItemText(sys::WindowHandle w, int index, int column, const std::string& text) {
  if (isVirtualList(w)) return;
  Quiet q(rec(w));
  std::string s = text;
  LVITEMA it{};
  it.iSubItem = column;
  it.pszText = s.data();
  SendMessageA(hw(w), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&it));
}

std::string Win32Desktop::listItemText(sys::WindowHandle w, int index, int column) const {
  if (isVirtualList(w)) {
    const Record* r = rec(w);
    if (!r->source || index < 0 || index >= listCount(w) || column < 0) return {};
    return r->source->cellText(index, column);
  }
  std::vector<char> buf(4096, '\0');
  LVITEMA it{};
  it.iSubItem = column;
  it.pszText = buf.data();
  it.cchTextMax = static_cast<int>(buf.size());
  const LRESULT n = SendMessageA(hw(w), LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&it));
  return std::string(buf.data(), static_cast<std::size_t>(std::max<LRESULT>(0, n)));
}

void Win32Desktop::listSetStateImage(sys::WindowHandle w, int index, int stateImage) {
  if (isVirtualList(w)) return;
  Quiet q(rec(w));
  LVITEMA it{};
  it.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(stateImage + 1));
  it.stateMask = LVIS_STATEIMAGEMASK;
  SendMessageA(hw(w), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&it));
}

int Win32Desktop::listStateImage(sys::WindowHandle w, int index) const {
  if (isVirtualList(w)) {
    const Record* r = rec(w);
    return r->source && index >= 0 && index < listCount(w) ? r->source->stateImage(index) : -1;
  }
  const LRESULT s = SendMessageA(hw(w), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK);
  return static_cast<int>((static_cast<UINT>(s) & LVIS_STATEIMAGEMASK) >> 12) - 1;
}

void Win32Desktop::listDeleteItem(sys::WindowHandle w, int index) {
  if (isVirtualList(w)) return;
  Quiet q(rec(w));
  SendMessageA(hw(w), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void Win32Desktop::listDeleteAll(sys::WindowHandle w) {
  if (isVirtualList(w)) return;
  Quiet q(rec(w));
  SendMessageA(hw(w), LVM_DELETEALLITEMS, 0, 0);
}

int Win32Desktop::listCount(sys::WindowHandle w) const {
  return static_cast<int>(SendMessageA(hw(w), LVM_GETITEMCOUNT, 0, 0));
}

bool Win32Desktop::listIsSelected(sys::WindowHandle w, int index) const {
  return (SendMessageA(hw(w), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void Win32Desktop::listSetSelected(sys::WindowHandle w, int index, bool selected) {
  Quiet q(rec(w));
  LVITEMA it{};
  it.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  it.stateMask = LVIS_SELECTED | (selected ? LVIS_FOCUSED : 0u);
  SendMessageA(hw(w), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&it));
}

int Win32Desktop::listTopIndex(sys::WindowHandle w) const {
  return static_cast<int>(SendMessageA(hw(w), LVM_GETTOPINDEX, 0, 0));
}

int Win32Desktop::listCountPerPage(sys::WindowHandle w) const {
  return static_cast<int>(SendMessageA(hw(w), LVM_GETCOUNTPERPAGE, 0, 0));
}

void Win32Desktop::listScroll(sys::WindowHandle w, int lines) {
  // Report views scroll by pixels: a row's height per line.
  RECT r{};
  r.left = LVIR_BOUNDS;
  int rowHeight = 16;
  if (listCount(w) > 0 && SendMessageA(hw(w), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) {
    rowHeight = r.bottom - r.top;
  }
  SendMessageA(hw(w), LVM_SCROLL, 0, static_cast<LPARAM>(lines * rowHeight));
}

void Win32Desktop::listSetStateImages(sys::WindowHandle w, sys::ImageListHandle images) {
  SendMessageA(hw(w), LVM_SETIMAGELIST, LVSIL_STATE, static_cast<LPARAM>(images));
}

void Win32Desktop::listSetSource(sys::WindowHandle w, const sys::ListSource* source) {
  Record* r = rec(w);
  if (!r || !isVirtualList(w)) return;
  r->source = source;
  // State images of a virtual list come from the source as well.
  SendMessageA(hw(w), LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
  InvalidateRect(hw(w), nullptr, TRUE);
}

void Win32Desktop::listSetCount(sys::WindowHandle w, int count) {
  if (!isVirtualList(w)) return;
  Quiet q(rec(w));
  SendMessageA(hw(w), LVM_SETITEMCOUNT, static_cast<WPARAM>(std::max(0, count)),
               LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

int Win32Desktop::listNextSelected(sys::WindowHandle w, int after) const {
  const LRESULT i = SendMessageA(hw(w), LVM_GETNEXTITEM, static_cast<WPARAM>(after < 0 ? -1 : after),
                                 MAKELPARAM(LVNI_SELECTED, 0));
  return i < 0 ? -1 : static_cast<int>(i);
}

int Win32Desktop::listHitTest(sys::WindowHandle w, sys::Point p) const {
  LVHITTESTINFO info{};
  info.pt = {p.x, p.y};
  const LRESULT i = SendMessageA(hw(w), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  return i >= 0 && (info.flags & LVHT_ONITEM) ? static_cast<int>(i) : -1;
}

void Win32Desktop::fillDisplayInfo(const Record& list, const NMHDR& hdr) {
  const bool wide = hdr.code == static_cast<UINT>(LVN_GETDISPINFOW);
  // The A and W forms share their layout up to the text pointer's type.
  auto& item = reinterpret_cast<NMLVDISPINFOA&>(const_cast<NMHDR&>(hdr)).item;
  if (!list.source || item.iItem < 0) return;
  if (item.mask & LVIF_TEXT && item.pszText && item.cchTextMax > 0) {
    const std::string text = list.source->cellText(item.iItem, item.iSubItem);
    if (wide) {
      auto* out = reinterpret_cast<wchar_t*>(item.pszText);
      const int n = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), out, item.cchTextMax - 1);
      out[std::max(0, n)] = L'\0';
    } else {
      // Cut on a character boundary, so that no lone lead byte is shown.
      std::size_t n = 0;
      while (n < text.size()) {
        const std::size_t step = util::charBytesAt(text, n);
        if (n + step >= static_cast<std::size_t>(item.cchTextMax)) break;
        n += step;
      }
      std::memcpy(item.pszText, text.data(), n);
      item.pszText[n] = '\0';
    }
  }
  if (item.mask & LVIF_STATE) {
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) |
                 INDEXTOSTATEIMAGEMASK(static_cast<UINT>(list.source->stateImage(item.iItem) + 1));
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

// --- header controls

void Win32Desktop::headerAddSection(sys::WindowHandle w, const std::string& caption, int width) {
  std::string text = caption;
  HDITEMA it{};
  it.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  it.pszText = text.data();
  it.cxy = width;
  it.fmt = HDF_OWNERDRAW;
  const int count = static_cast<int>(SendMessageA(hw(w), HDM_GETITEMCOUNT, 0, 0));
  Quiet q(rec(w));
  SendMessageA(hw(w), HDM_INSERTITEMA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&it));
}

int Win32Desktop::headerSectionWidth(sys::WindowHandle w, int index) const {
  HDITEMA it{};
  it.mask = HDI_WIDTH;
  if (!SendMessageA(hw(w), HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&it))) return 0;
  return it.cxy;
}

void Win32Desktop::headerSetSectionWidth(sys::WindowHandle w, int index, int width) {
  HDITEMA it{};
  it.mask = HDI_WIDTH;
  it.cxy = std::max(0, width);
  Quiet q(rec(w));
  SendMessageA(hw(w), HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&it));
}

// --- progress bars

void Win32Desktop::progressSetRange(sys::WindowHandle w, int min, int max) {
  SendMessageA(hw(w), PBM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(std::max(min, max)));
}

void Win32Desktop::progressSetPosition(sys::WindowHandle w, int position) {
  SendMessageA(hw(w), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int Win32Desktop::progressPosition(sys::WindowHandle w) const {
  return static_cast<int>(SendMessageA(hw(w), PBM_GETPOS, 0, 0));
}

// --- image lists

sys::ImageListHandle Win32Desktop::createImageList(int width, int height) {
  return reinterpret_cast<sys::ImageListHandle>(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 8, 8));
}

int Win32Desktop::imageListAdd(sys::ImageListHandle list, const sys::Bitmap& bitmap, sys::Color transparent) {
  HIMAGELIST il = reinterpret_cast<HIMAGELIST>(list);
  int w = 0;
  int h = 0;
  if (!il || !ImageList_GetIconSize(il, &w, &h) || bitmap.height != h || bitmap.width < w ||
      bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) {
    return -1;
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = bitmap.width;
  bi.bmiHeader.biHeight = -bitmap.height;  // top row first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = GetDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, dc);
  if (!bmp || !bits) return -1;
  auto* px = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < bitmap.pixels.size(); ++i) {
    const sys::Color c = bitmap.pixels[i];  // 0x00BBGGRR to 0x00RRGGBB
    px[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  GdiFlush();
  const int first = ImageList_AddMasked(il, bmp, transparent);
  DeleteObject(bmp);
  return first;
}

int Win32Desktop::imageListCount(sys::ImageListHandle list) const {
  return ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(list));
}

void Win32Desktop::destroyImageList(sys::ImageListHandle list) {
  if (list) ImageList_Destroy(reinterpret_cast<HIMAGELIST>(list));
}

}  // namespace gleanix::backend
