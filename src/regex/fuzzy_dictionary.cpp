#include "regex/fuzzy_dictionary.h"

#include "util/sjis.h"

namespace gleanix::regex {

std::vector<std::string> splitCommaText(std::string_view text) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::vector<std::string> items;
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  while (i < text.size()) {
    std::string item;
    if (text[i] == '"') {
      for (++i; i < text.size(); ++i) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            item += '"';
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          item += text[i];
        }
      }
    } else {
      // Trail bytes are never below 0x40, so neither a comma nor a blank
      // can be the second byte of a double-byte character.
      while (i < text.size() && text[i] != ',' && !isBlank(text[i])) item += text[i++];
    }
    items.push_back(std::move(item));
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && text[i] == ',') {
      ++i;
      if (i == text.size()) items.emplace_back();  // a comma at the end: one more, empty
      while (i < text.size() && isBlank(text[i])) ++i;
    }
  }
  return items;
}

std::string escapePattern(std::string_view text) {
  static constexpr std::string_view kSpecial = "(|)+*?.[]\\";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (util::isLeadByte(b)) {
      if (i + 1 < text.size()) {
        out += text[i];
        out += text[++i];
      } else {
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 15];
      }
      continue;
    }
    if (kSpecial.find(text[i]) != std::string_view::npos) out += '\\';
    out += text[i];
  }
  return out;
}

FuzzyDictionary::FuzzyDictionary(const std::vector<std::string>& groupTexts) {
  for (const std::string& text : groupTexts) {
    Group g;
    g.members = splitCommaText(text);
    g.alternation.push_back('(');
    for (std::size_t m = 0; m < g.members.size(); ++m) {
      if (m > 0) g.alternation += '|';
      g.alternation += escapePattern(g.members[m]);
      std::vector<Code> codes;
      for (std::size_t i = 0; i < g.members[m].size();) {
        const TextChar c = readTextChar(g.members[m], i);
        codes.push_back(c.code);
        i += c.length;
      }
      if (!codes.empty()) byFirst_[codes.front()].push_back({groups_.size(), std::move(codes)});
    }
    g.alternation += ')';
    groups_.push_back(std::move(g));
  }
}

std::optional<FuzzyDictionary::Hit> FuzzyDictionary::find(const Code* codes, std::size_t count) const {
  if (count == 0) return std::nullopt;
  auto it = byFirst_.find(codes[0]);
  if (it == byFirst_.end()) return std::nullopt;
  for (const Entry& e : it->second) {
    if (e.codes.size() > count) continue;
    bool same = true;
    for (std::size_t k = 1; k < e.codes.size() && same; ++k) same = e.codes[k] == codes[k];
    if (same) return Hit{e.group, e.codes.size()};
  }
  return std::nullopt;
}

const std::vector<std::string>& fuzzyGroupTexts() {
  // Group 3 begins with the double quote and group 11 with the comma, both
  // quoted; group 7 ends with an empty member (the comma at its end), which
  // makes a long-vowel mark optional. Group 58 lists す゛ beside ス゛, as
  // its sister groups do for their kana.
  static const std::vector<std::string> texts = {
    "#,＃",  // 0
    "%,％",  // 1
    "&,＆",  // 2
    "\"\"\"\",“,”,',’´,｀,^,＾,′",  // 3
    "(,（,[,［,〔,{,｛,「,『,｢,<,＜,〈,《,【,≪",  // 4
    "),）,],］,〕,},｝,」,』,｣,>,＞,〉,》,】,≫",  // 5
    "*,＊,×,+,＋,±",  // 6
    "ー,ｰ,－,-,～,_,＿,~,￣,=,＝,±,〓,",  // 7
    "/,／,＼,%,％",  // 8
    "|,｜,∥,!,！,?,？",  // 9
    "\\,￥,＼",  // 10
    "\",\",，,､,、,｡,.,。,．,･,・,:,：,;,；",  // 11
    "0,O,o,Ｏ,ｏ,○,●,◎,〇,。,｡",  // 12
    "X,x,Ｘ,ｘ,×",  // 13
    "Ａ,ａ,A,a,@,＠,Å",  // 14
    "Ｂ,ｂ,B,b",  // 15
    "Ｃ,ｃ,C,c,℃,￠",  // 16
    "Ｄ,ｄ,D,d",  // 17
    "Ｅ,ｅ,E,e",  // 18
    "Ｆ,ｆ,F,f",  // 19
    "Ｇ,ｇ,G,g",  // 20
    "Ｈ,ｈ,H,h",  // 21
    "Ｉ,ｉ,I,i,|,｜",  // 22
    "Ｊ,ｊ,J,j",  // 23
    "Ｋ,ｋ,K,k",  // 24
    "Ｌ,ｌ,L,l,￡",  // 25
    "Ｍ,ｍ,M,m",  // 26
    "Ｎ,ｎ,N,n",  // 27
    "Ｏ,ｏ,O,o",  // 28
    "Ｐ,ｐ,P,p",  // 29
    "Ｑ,ｑ,Q,q",  // 30
    "Ｒ,ｒ,R,r",  // 31
    "Ｓ,ｓ,S,s,＄,$,§",  // 32
    "Ｔ,ｔ,T,t",  // 33
    "Ｕ,ｕ,U,u",  // 34
    "Ｖ,ｖ,V,v",  // 35
    "Ｗ,ｗ,W,w",  // 36
    "Ｘ,ｘ,X,x",  // 37
    "Ｙ,ｙ,Y,y",  // 38
    "Ｚ,ｚ,Z,z",  // 39
    "0,０,零",  // 40
    "1,１,一,①,Ⅰ,壱,|,｜",  // 41
    "2,２,二,②,Ⅱ,弐",  // 42
    "3,３,三,③,Ⅲ,参",  // 43
    "4,４,四,④,Ⅳ",  // 44
    "5,５,五,⑤,Ⅴ,伍",  // 45
    "6,６,六,⑥,Ⅵ",  // 46
    "7,７,七,⑦,Ⅶ",  // 47
    "8,８,八,⑧,Ⅷ",  // 48
    "9,９,九,⑨,Ⅸ",  // 49
    "ん,ン,ﾝ",  // 50
    "が,ガ,ｶﾞ,か゛,カ゛",  // 51
    "ぎ,ギ,ｷﾞ,き゛,キ゛",  // 52
    "ぐ,グ,ｸﾞ,く゛,ク゛",  // 53
    "げ,ゲ,ｹﾞ,け゛,ケ゛",  // 54
    "ご,ゴ,ｺﾞ,こ゛,コ゛",  // 55
    "ざ,ザ,ｻﾞ,さ゛,サ゛",  // 56
    "じ,ジ,ｼﾞ,し゛,シ゛,ぢ,ヂ,ﾁﾞ,ち゛,チ゛",  // 57
    "ず,ズ,ｽﾞ,す゛,ス゛,づ,ヅ,ﾂﾞ,つ゛,ツ゛",  // 58
    "ぜ,ゼ,ｾﾞ,せ゛,セ゛",  // 59
    "ぞ,ゾ,ｿﾞ,そ゛,ソ゛",  // 60
    "だ,ダ,ﾀﾞ,た゛,タ゛",  // 61
    "で,デ,ﾃﾞ,て゛,テ゛",  // 62
    "ど,ド,ﾄﾞ,と゛,ト゛",  // 63
    "ば,バ,ﾊﾞ,は゛,ハ゛,ヴァ,う゛ぁ,ウ゛ァ,ｳﾞｧ",  // 64
    "び,ビ,ﾋﾞ,ひ゛,ヒ゛,ヴィ,う゛ぃ,ウ゛ィ,ｳﾞｨ",  // 65
    "ぶ,ブ,ﾌﾞ,ふ゛,フ゛,ヴ,ウ゛,う゛,ｳﾞ",  // 66
    "べ,ベ,ﾍﾞ,へ゛,ヘ゛,ヴェ,う゛ぇ,ウ゛ェ,ｳﾞｪ",  // 67
    "ぼ,ボ,ﾎﾞ,ほ゛,ホ゛,ヴォ,う゛ぉ,ウ゛ォ,ｳﾞｫ",  // 68
    "ぱ,パ,ﾊﾟ,は゜,ハ゜",  // 69
    "ぴ,ピ,ﾋﾟ,ひ゜,ヒ゜",  // 70
    "ぷ,プ,ﾌﾟ,ふ゜,フ゜",  // 71
    "ぺ,ペ,ﾍﾟ,へ゜,ヘ゜",  // 72
    "ぽ,ポ,ﾎﾟ,ほ゜,ホ゜",  // 73
    "あ,ア,ｱ,ぁ,ァ,ｧ",  // 74
    "い,イ,ｲ,ぃ,ィ,ｨ,ヰ,ゐ",  // 75
    "う,ウ,ｳ,ぅ,ゥ,ｩ",  // 76
    "え,エ,ｴ,ぇ,ェ,ｪ,ヱ,ゑ",  // 77
    "お,オ,ｵ,ぉ,ォ,ｫ,を,ヲ,ｦ",  // 78
    "か,カ,ｶ,ヵ",  // 79
    "き,キ,ｷ",  // 80
    "く,ク,ｸ",  // 81
    "け,ケ,ｹ,ヶ",  // 82
    "こ,コ,ｺ",  // 83
    "さ,サ,ｻ",  // 84
    "し,シ,ｼ",  // 85
    "す,ス,ｽ",  // 86
    "せ,セ,ｾ",  // 87
    "そ,ソ,ｿ",  // 88
    "た,タ,ﾀ",  // 89
    "ち,チ,ﾁ",  // 90
    "つ,ツ,ﾂ,っ,ッ,ｯ",  // 91
    "て,テ,ﾃ",  // 92
    "と,ト,ﾄ",  // 93
    "な,ナ,ﾅ",  // 94
    "に,ニ,ﾆ",  // 95
    "ぬ,ヌ,ﾇ",  // 96
    "ね,ネ,ﾈ",  // 97
    "の,ノ,ﾉ",  // 98
    "は,ハ,ﾊ",  // 99
    "ひ,ヒ,ﾋ",  // 100
    "ふ,フ,ﾌ",  // 101
    "へ,ヘ,ﾍ",  // 102
    "ほ,ホ,ﾎ",  // 103
    "ま,マ,ﾏ",  // 104
    "み,ミ,ﾐ",  // 105
    "む,ム,ﾑ",  // 106
    "め,メ,ﾒ",  // 107
    "も,モ,ﾓ",  // 108
    "や,ヤ,ﾔ,ゃ,ャ,ｬ",  // 109
    "ゆ,ユ,ﾕ,ゅ,ュ,ｭ",  // 110
    "よ,ヨ,ﾖ,ょ,ョ,ｮ",  // 111
    "ら,ラ,ﾗ",  // 112
    "り,リ,ﾘ",  // 113
    "る,ル,ﾙ",  // 114
    "れ,レ,ﾚ",  // 115
    "ろ,ロ,ﾛ",  // 116
    "わ,ワ,ﾜ,うぁ,ウァ,ｳｧ,ゎ,ヮ",  // 117
    "ヰ,ゐ,うぃ,ウィ,ｳｨ",  // 118
    "ヱ,ゑ,うぇ,ウェ,ｳｪ",  // 119
    "を,ヲ,ｦ,うぉ,ウォ,ｳｫ",  // 120
    "ﾞ,゛",  // 121
    "ﾟ,゜",  // 122
  };
  return texts;
}

const FuzzyDictionary& fuzzyCharDic() {
  static const FuzzyDictionary dictionary(fuzzyGroupTexts());
  return dictionary;
}

}  // namespace gleanix::regex
