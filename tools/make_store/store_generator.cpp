#include "make_store/store_generator.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

#include "host/entry_format.h"
#include "make_store/calendar.h"
#include "make_store/mail_composer.h"
#include "store/attribute.h"

namespace gleanix::tools {
namespace {

// splitmix64: the same sequence on every platform.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
  bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }

 private:
  std::uint64_t state_;
};

const Person kPeople[] = {
    {"鈴木 花子", "hanako@example.co.jp"},  {"佐藤 次郎", "sato@example.ne.jp"},
    {"田中 一郎", "tanaka@example.com"},    {"伊藤 美咲", "misaki@example.org"},
    {"小林 健", "ken@example.com"},         {"高橋 誠", "takahashi@example.jp"},
    {"渡辺 直子", "naoko@example.or.jp"},   {"中村 ひろし", "hiroshi@example.ac.jp"},
};
constexpr std::size_t kPeopleCount = sizeof kPeople / sizeof kPeople[0];

const char* const kPhrases[] = {
    "お世話になっております。",
    "先日の件、ありがとうございました。",
    "添付ファイルをご確認ください。",
    "Quillon 1.20 でメールを読んでいます。",
    "フォルダの設定を見直しました。",
    "来週の月曜日に打ち合わせをしましょう。",
    "資料は共有フォルダに置いてあります。",
    "メールの検索が遅いので困っています。",
    "パソコンを新しくしました。",
    "ＰＣを再起動したら直りました。",
    "表示が崩れる場合は、ソフトを再起動してください。",
    "能力試験の結果が届きました。",
    "予定表を更新しました。",
    "ご意見をお聞かせください。",
    "取り急ぎご連絡まで。",
    "カタカナとひらがなの混じった文です。",
    "ごみ箱を空にしたら直りました。",
    "郵便受けにメールが溜まっています。",
};
constexpr std::size_t kPhraseCount = sizeof kPhrases / sizeof kPhrases[0];

// Lines only a Shift-JIS body can carry: half-width kana, NEC specials.
const char* const kShiftJisLines[] = {
    "ﾒｰﾙ と メール と めーる は同じ言葉です。",
    "ﾊﾟｿｺﾝ と パソコン、PC と ＰＣ。",
    "ｶﾀｶﾅ で書くと カタカナ、ひらがなだと かたかな。",
    "①②③ の順に確認しました。㈱サンプル",
};

enum Kind { kListUsers, kListDev, kPrivate, kBusiness, kOther };

const char* const kUsersSubjects[] = {
    "Quillon 1.20 のインストールについて", "フォルダの並び順が変わる", "添付ファイルが開けません",
    "ごみ箱を空にすると落ちる",           "ﾌﾟﾗｸﾞｲﾝの入れ方",         "プラグインの入れ方",
    "ＰＯＰ３サーバの設定",               "POP3サーバの設定",         "文字化けする件: ISO-2022-JP",
    "メールの検索方法",
};
const char* const kDevSubjects[] = {
    "ビルドが通りません", "次のリリース予定", "仕様の確認：日付の扱い", "テスト結果の報告", "メモリリークの疑い",
};
const char* const kPrivateSubjects[] = {
    "お久しぶりです", "週末の予定", "写真を送ります", "忘年会のお知らせ", "かたかな と カタカナ と ｶﾀｶﾅ",
};
const char* const kBusinessSubjects[] = {
    "会議の議事録", "月次報告書 (11月分)", "見積書の件", "打ち合わせ日程の調整", "【重要】サーバ停止のお知らせ",
};
const char* const kOtherSubjects[] = {
    "メールマガジン 第123号", "ご注文ありがとうございました", "", "[memo] 買い物リスト", "Re: 自動応答",
};

template <std::size_t N>
const char* pick(Rng& rng, const char* const (&list)[N]) {
  return list[rng.below(N)];
}

// --- the layout ---------------------------------------------------------------

struct AccountDef {
  std::string dir;  // "Acc1"
  Person owner;
};

struct FolderDef {
  std::string path;  // relative, ending in "\"
  int account;
};

// Folder indices used below.
enum FolderId {
  kHomeInbox, kHomeOutbox, kHomeLists, kHomeFriends, kHomeMeetings, kHomeReports, kHomeUnsorted,
  kWorkInbox, kWorkOutbox, kWorkDev, kMobileInbox, kMobileOutbox, kFixedFolders
};

struct Layout {
  std::vector<AccountDef> accounts;
  std::vector<FolderDef> folders;  // kFixedFolders fixed ones, then the archives
  int archives = 0;
};

Layout makeLayout(std::size_t mails) {
  Layout l;
  l.accounts = {{"Acc1", {"山田 太郎", "taro@example.jp"}},
                {"Acc2", {"山田 太郎", "t-yamada@work.example.co.jp"}},
                {"Acc3", {"たろう", "taro.m@mobile.example.ne.jp"}}};
  l.folders = {{"Acc1\\Inbox.box\\", 0},
               {"Acc1\\Outbox.box\\", 0},
               {"Acc1\\User001.box\\", 0},
               {"Acc1\\User002.box\\", 0},
               {"Acc1\\User003.box\\User001.box\\", 0},
               {"Acc1\\User003.box\\User002.box\\", 0},
               {"Acc1\\User009.box\\", 0},
               {"Acc2\\Inbox.box\\", 1},
               {"Acc2\\Outbox.box\\", 1},
               {"Acc2\\User001.box\\", 1},
               {"Acc3\\Inbox.box\\", 2},
               {"Acc3\\Outbox.box\\", 2}};
  // One archive of old development-list mail per 5000 mails.
  l.archives = static_cast<int>(mails / 5000);
  for (int i = 0; i < l.archives; ++i) {
    char path[64];
    std::snprintf(path, sizeof path, "Acc2\\User%03d.box\\", 100 + i);
    l.folders.push_back({path, 1});
  }
  return l;
}

std::string crlf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out.append(line).append("\r\n");
  return out;
}

void writeDescriptions(const Layout& l, const FileSink& sink) {
  sink("Mailbox.ini", crlf({"[Mailbox]", "TIMEZONE=+0900", "ExternalViewer=\"C:\\Program Files\\Hidemaru\\Hidemaru.exe\"",
                            "CheckInterval=10", "ConfirmDelete=1"}));
  const std::string archiveCodes = [&] {
    std::string codes;
    for (int i = 0; i < l.archives; ++i) codes += std::to_string(100 + i);
    return codes;
  }();
  sink("Acc1\\Account.ini", crlf({"[Account]", "TITLE=自宅", "MailAddress=taro@example.jp", "POP3Server=pop.example.jp",
                                  "SMTPServer=smtp.example.jp", "ORDER=IO001002003004T"}));
  sink("Acc2\\Account.ini", crlf({"[Account]", "Title=\"Work Mail\"", "MailAddress=t-yamada@work.example.co.jp",
                                  "POP3Server=pop.work.example.co.jp", "ORDER=T001" + archiveCodes + "I"}));
  sink("Acc3\\Account.ini", crlf({"[Account]", "TITLE=携帯", "MailAddress=taro.m@mobile.example.ne.jp"}));

  const std::string plain = crlf({"[Folder]", "Sort=Date", "SortOrder=1"});
  for (const char* box : {"Acc1\\Inbox.box\\", "Acc1\\Outbox.box\\", "Acc2\\Inbox.box\\", "Acc2\\Outbox.box\\",
                          "Acc3\\Inbox.box\\", "Acc3\\Outbox.box\\"}) {
    sink(std::string(box) + "Entry.ini", plain);
  }
  sink("Acc1\\User001.box\\Entry.ini", crlf({"[Folder]", "TITLE=メーリングリスト", "Sort=Subject"}));
  sink("Acc1\\User002.box\\Entry.ini", crlf({"[Folder]", "TITLE=友人", "Sort=Date"}));
  sink("Acc1\\User003.box\\Entry.ini", crlf({"[Folder]", "TITLE=仕事", "Type=Subfolder", "ORDER=001002"}));
  sink("Acc1\\User003.box\\User001.box\\Entry.ini", crlf({"[Folder]", "TITLE=会議"}));
  sink("Acc1\\User003.box\\User002.box\\Entry.ini", crlf({"[Folder]", "title=報告"}));
  sink("Acc1\\User009.box\\Entry.ini", crlf({"[Folder]", "TITLE=\"未整理\"", "Sort=Date"}));
  sink("Acc2\\User001.box\\Entry.ini", crlf({"[Folder]", "TITLE=[dev] 開発", "Sort=Date"}));
  for (int i = 0; i < l.archives; ++i) {
    sink(l.folders[kFixedFolders + i].path + "Entry.ini",
         crlf({"[Folder]", "TITLE=アーカイブ " + std::to_string(i + 1), "Sort=Date"}));
  }
  // A directory left behind by an old account: no Account.ini.
  sink("Acc9.old\\Inbox.box\\ENTRY.LST", "");
}

// --- the mails ----------------------------------------------------------------

struct ThreadMail {
  Person from;
  std::string messageId;
  std::vector<std::string> ancestors;
  std::vector<std::string> quotable;  // plain lines a reply may quote
  std::string listTag;                // "[qml:00012]" of an incoming list mail
  bool outgoing = false;
};

struct ListDef {
  const char* name;
  const char* address;
  int digits;
  int counter = 0;
};

class Generator {
 public:
  Generator(const StoreOptions& options, const FileSink& sink)
      : options_(options), sink_(sink), rng_(options.seed), layout_(makeLayout(options.mails)) {
    entries_.resize(layout_.folders.size());
    trash_.resize(layout_.accounts.size());
    // From mid-November 1999 on, so that the sample crosses into 2000; the
    // average gap between mails shrinks as the store grows.
    minutes_ = minutesOf(1999, 11, 15, 0, 0) - 540;
    const std::int64_t span = 730ll * 1440 / static_cast<std::int64_t>(std::max<std::size_t>(options.mails, 1));
    gap_ = std::clamp<std::int64_t>(span, 5, 1440);
  }

  void run() {
    writeDescriptions(layout_, sink_);
    while (index_ < options_.mails) thread();
    for (std::size_t f = 0; f < layout_.folders.size(); ++f) sink_(layout_.folders[f].path + "ENTRY.LST", entries_[f]);
    for (std::size_t a = 0; a < layout_.accounts.size(); ++a) sink_(layout_.accounts[a].dir + "\\Trash.box", trash_[a]);
  }

 private:
  void thread() {
    const Kind kind = pickKind();
    std::size_t length = kind == kOther ? 1 : 1 + rng_.below(3) + (rng_.chance(30) ? rng_.below(4) : 0);
    length = std::min(length, options_.mails - index_);
    const std::string base = subjectFor(kind);
    int incoming = 0, outgoingFolder = 0, account = 0;
    placeThread(kind, incoming, outgoingFolder, account);
    std::vector<Person> cast = {kPeople[rng_.below(kPeopleCount)], kPeople[rng_.below(kPeopleCount)]};
    std::vector<ThreadMail> mails;
    for (std::size_t j = 0; j < length; ++j) {
      const int parent = j == 0 ? -1 : static_cast<int>(rng_.chance(65) ? j - 1 : rng_.below(j));
      const bool outgoing = parent >= 0 && kind != kOther && rng_.chance(25);
      mails.push_back(mail(kind, base, mails, parent, outgoing, outgoing ? outgoingFolder : incoming, account,
                           cast[j % cast.size()]));
    }
  }

  Kind pickKind() {
    // The first threads go round every kind, so that a small store fills
    // every folder; later ones are drawn by weight.
    static const Kind kOpening[] = {kListUsers, kPrivate, kListDev, kBusiness, kOther,
                                    kPrivate,   kBusiness, kListUsers, kPrivate, kBusiness, kOther};
    const std::size_t thread = threads_++;
    if (thread < sizeof kOpening / sizeof kOpening[0]) return kOpening[thread];
    const std::size_t r = rng_.below(100);
    if (r < 30) return kListUsers;
    if (r < 50) return kListDev;
    if (r < 70) return kPrivate;
    if (r < 90) return kBusiness;
    return kOther;
  }

  std::string subjectFor(Kind kind) {
    switch (kind) {
      case kListUsers: return pick(rng_, kUsersSubjects);
      case kListDev: return pick(rng_, kDevSubjects);
      case kPrivate: return pick(rng_, kPrivateSubjects);
      case kBusiness: return pick(rng_, kBusinessSubjects);
      default: return pick(rng_, kOtherSubjects);
    }
  }

  void placeThread(Kind kind, int& incoming, int& outgoing, int& account) {
    switch (kind) {
      case kListUsers:
        incoming = kHomeLists;
        break;
      case kListDev: {
        // Older development mail sits in the archives, oldest first.
        const int slot = static_cast<int>(index_ * static_cast<std::size_t>(layout_.archives + 1) / options_.mails);
        incoming = slot < layout_.archives ? kFixedFolders + slot : kWorkDev;
        break;
      }
      case kPrivate: {
        const int choices[] = {kHomeFriends, kMobileInbox, kHomeInbox};
        incoming = choices[privateThreads_++ % 3];
        break;
      }
      case kBusiness: {
        const int choices[] = {kHomeMeetings, kWorkInbox, kHomeReports};
        incoming = choices[businessThreads_++ % 3];
        break;
      }
      default:
        incoming = otherThreads_++ % 2 == 0 ? kHomeUnsorted : kHomeInbox;
        break;
    }
    account = layout_.folders[incoming].account;
    outgoing = account == 0 ? kHomeOutbox : account == 1 ? kWorkOutbox : kMobileOutbox;
  }

  ListDef* listOf(Kind kind) {
    if (kind == kListUsers) return &users_;
    if (kind == kListDev) return &dev_;
    return nullptr;
  }

  std::string key() const {
    // A bijection of the mail's index: keys never repeat within a store.
    std::uint32_t x = static_cast<std::uint32_t>(index_) * 0x9E3779B1u + static_cast<std::uint32_t>(options_.seed);
    x ^= x >> 16;
    x *= 0x85EBCA6Bu;
    x ^= x >> 13;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(x));
    return buffer;
  }

  std::string subject(Kind kind, const std::string& base, const std::vector<ThreadMail>& mails, int parent,
                      bool outgoing, ListDef* list, const std::string& tag) {
    if (parent < 0) return list ? tag + " " + base : base;
    static const char* const kPrefixes[] = {"Re: ", "Re: ", "Re: ", "RE: ", "Re: Re: ", "Re:", "Re[2]: ", "Fw: "};
    const std::string prefix = kPrefixes[rng_.below(8)];
    if (!list) return prefix + base;
    const std::string& parentTag = mails[static_cast<std::size_t>(parent)].listTag;
    // An own reply keeps the tag it answers; the list gives every article
    // its own tag, and some mailers put "Re:" before the old tag.
    if (outgoing) return "Re: " + (parentTag.empty() ? tag : parentTag) + " " + base;
    if (!parentTag.empty() && rng_.chance(15)) return tag + " Re: " + parentTag + " " + base;
    (void)kind;
    return tag + " " + prefix + base;
  }

  std::vector<std::string> body(const MailContext& m, const std::vector<ThreadMail>& mails, int parent,
                                const ListDef* list, std::vector<std::string>& quotable) {
    std::vector<std::string> lines;
    if (parent >= 0) {
      const ThreadMail& p = mails[static_cast<std::size_t>(parent)];
      if (!p.listTag.empty()) {
        lines.push_back("In " + p.listTag + " " + p.from.name + "さんは書きました：");
      } else {
        lines.push_back(p.from.name + "さん、返信ありがとうございます。");
      }
      for (const std::string& q : p.quotable) lines.push_back("> " + q);
      lines.push_back("");
    } else {
      lines.push_back(list ? std::string("皆さん、こんにちは。") : m.to.name.empty() ? "こんにちは。" : m.to.name + "さん");
      lines.push_back("");
    }
    const std::size_t count = 2 + rng_.below(4);
    for (std::size_t i = 0; i < count; ++i) {
      const std::string phrase = kPhrases[rng_.below(kPhraseCount)];
      lines.push_back(phrase);
      if (quotable.size() < 2) quotable.push_back(phrase);
    }
    if (bodyIsShiftJis(m.index)) lines.push_back(kShiftJisLines[m.index % 4]);
    if (m.index % 11 == 6 && users_.counter > 0) {
      char tag[32];
      std::snprintf(tag, sizeof tag, "[qml:%05d]", 1 + static_cast<int>(rng_.below(static_cast<std::size_t>(users_.counter))));
      lines.push_back(std::string("以前の ") + tag + " も参考になります。[memo] 参照");
    }
    lines.push_back("");
    lines.push_back("-- ");
    lines.push_back(m.from.name);
    lines.push_back(m.from.address);
    return lines;
  }

  std::uint32_t attribute(bool outgoing, bool replied) const {
    std::uint32_t word = 0;
    if (index_ % 3 == 1) word |= static_cast<std::uint32_t>(1 + (index_ / 3) % 7);
    if (!outgoing && index_ % 4 == 0) word |= store::kUnreadBit;
    if (index_ % 17 == 5) word |= store::kNoReadStateBit;
    if (replied) word |= 1u << 8;
    if (isMultipart(index_)) word |= 1u << 16;
    return word;
  }

  ThreadMail mail(Kind kind, const std::string& base, const std::vector<ThreadMail>& mails, int parent, bool outgoing,
                  int folder, int account, const Person& sender) {
    ListDef* list = listOf(kind);
    const Person& owner = layout_.accounts[static_cast<std::size_t>(account)].owner;
    MailContext m;
    m.index = index_;
    minutes_ += 1 + static_cast<std::int64_t>(rng_.below(static_cast<std::size_t>(2 * gap_)));
    m.minutes = minutes_;
    m.second = static_cast<int>(rng_.below(60));
    m.outgoing = outgoing;
    m.from = outgoing ? owner : sender;
    if (outgoing) {
      m.to = list ? Person{"", list->address} : mails[static_cast<std::size_t>(parent)].from;
    } else {
      m.to = list ? Person{"", list->address} : owner;
    }
    std::string tag;
    if (list && !outgoing) {
      ++list->counter;
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "[%s:%0*d]", list->name, list->digits, list->counter);
      tag = buffer;
      m.listName = list->name;
      m.listNumber = list->counter;
    }
    m.subject = subject(kind, base, mails, parent, outgoing, list, tag);
    const std::string k = key();
    const CivilTime t = civilTime(m.minutes + 540, m.second);
    char id[96];
    std::snprintf(id, sizeof id, "<%04d%02d%02d%02d%02d%02d.%s@%s>", t.year, t.month, t.day, t.hour, t.minute,
                  t.second, k.c_str(), m.from.address.substr(m.from.address.find('@') + 1).c_str());
    m.messageId = id;
    if (parent >= 0) {
      m.ancestors = mails[static_cast<std::size_t>(parent)].ancestors;
      m.ancestors.push_back(mails[static_cast<std::size_t>(parent)].messageId);
    }
    ThreadMail result{m.from, m.messageId, m.ancestors, {}, tag, outgoing};
    m.body = body(m, mails, parent, list, result.quotable);

    const std::string bytes = composeMail(m);
    const std::string& folderPath = layout_.folders[static_cast<std::size_t>(folder)].path;
    // A few host inconsistencies that a reader must survive: an entry whose
    // mail file is gone, and an entry written with its key in lower case.
    if (index_ != 20) sink_(folderPath + k + ".ALM", bytes);
    const bool replied = parent < 0 ? false : rng_.chance(20);
    const std::string tail = host::listLineTail(attribute(outgoing, replied), bytes);
    if (!outgoing && index_ % 16 == 9) {
      trash_[static_cast<std::size_t>(account)] += folderPath + k + "=" + tail + "\r\n";
    } else {
      std::string entryKey = k;
      if (index_ == 10) {
        for (char& c : entryKey) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
      entries_[static_cast<std::size_t>(folder)] += entryKey + "=" + tail + "\r\n";
    }
    ++index_;
    return result;
  }

  const StoreOptions& options_;
  const FileSink& sink_;
  Rng rng_;
  Layout layout_;
  std::vector<std::string> entries_;  // ENTRY.LST bytes per folder
  std::vector<std::string> trash_;    // Trash.box bytes per account
  std::size_t index_ = 0;
  std::size_t threads_ = 0, privateThreads_ = 0, businessThreads_ = 0, otherThreads_ = 0;
  std::int64_t minutes_ = 0;
  std::int64_t gap_ = 60;
  ListDef users_{"qml", "qml@lists.example.org", 5};
  ListDef dev_{"dev", "dev@example.co.jp", 4};
};

}  // namespace

void generateStore(const StoreOptions& options, const FileSink& sink) { Generator(options, sink).run(); }

bool writeStore(const std::string& directory, const StoreOptions& options, std::string* error) {
  namespace fs = std::filesystem;
  bool ok = true;
  std::set<std::string> made;
  generateStore(options, [&](const std::string& path, std::string_view bytes) {
    if (!ok) return;
    std::string relative = path;
    for (char& c : relative) {
      if (c == '\\') c = '/';
    }
    const fs::path target = fs::path(directory) / relative;
    const std::string parent = target.parent_path().string();
    std::error_code ec;
    if (made.insert(parent).second) fs::create_directories(target.parent_path(), ec);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      ok = false;
      if (error) *error = "cannot write " + target.string();
    }
  });
  return ok;
}

}  // namespace gleanix::tools
