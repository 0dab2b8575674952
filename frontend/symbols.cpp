#include "frontend/symbols.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "speech/units/char_class.h"
#include "frontend/numbers.h"
#include "platform/cp1254.h"

namespace lirvan {
namespace {

using Name = std::vector<std::string>;

struct Row {
  std::string_view symbol;  // UTF-8 as written here
  std::array<std::string_view, 3> words;  // unused words empty
};

// Every symbol is one byte except "...", so a name is found by one array
// index instead of a walk down the table.
constexpr Row kSymbolRows[] = {
    {"!", {"ünlem"}},
    {" ", {"boşluk"}},
    {"+", {"artı"}},
    {"-", {"eksi"}},
    {"/", {"bölü"}},
    {"\\", {"ters", "bölü"}},
    {"*", {"yıldız"}},
    {"=", {"eşittir"}},
    {"%", {"yüzde"}},
    {"_", {"alt", "çizgi"}},
    {"(", {"parantez", "aç"}},
    {"...", {"üç", "nokta"}},
    {")", {"parantez", "kapat"}},
    {"?", {"soru", "işareti"}},
    {"]", {"köşeli", "parantez", "kapat"}},
    {"[", {"köşeli", "parantez", "aç"}},
    {"<", {"küçüktür"}},
    {">", {"büyüktür"}},
    {"{", {"küme", "parantezi", "aç"}},
    {"}", {"küme", "parantezi", "kapat"}},
    {",", {"virgül"}},
    {".", {"nokta"}},
    {";", {"noktalı", "virgül"}},
    {":", {"iki", "nokta"}},
    {"'", {"kesme", "işareti"}},
    {"`", {"tek", "tırnak"}},
    {"\"", {"çift", "tırnak"}},
    {"@", {"et"}},
    {"$", {"dolar"}},
    {"#", {"diyez"}},
    {"^", {"şapka"}},
    {"&", {"ve", "işareti"}},
    {"~", {"tırtıl"}},
};

// Signs of the code page that have no name above; without one they were
// spelled as units the voice lacks, that is, silent.
constexpr Row kMoreSymbolRows[] = {
    {"€", {"avro"}},        {"‚", {"alt", "tırnak"}},   {"ƒ", {"florin"}},
    {"„", {"alt", "çift", "tırnak"}}, {"…", {"üç", "nokta"}}, {"†", {"hançer"}},
    {"‡", {"çift", "hançer"}}, {"ˆ", {"şapka"}},        {"‰", {"binde"}},
    {"‹", {"açılı", "tırnak"}}, {"›", {"açılı", "tırnak"}}, {"‘", {"tek", "tırnak"}},
    {"’", {"tek", "tırnak"}}, {"“", {"çift", "tırnak"}}, {"”", {"çift", "tırnak"}},
    {"•", {"madde", "işareti"}}, {"–", {"tire"}},        {"—", {"uzun", "tire"}},
    {"˜", {"tırtıl"}},      {"™", {"ticari", "marka"}}, {"¡", {"ters", "ünlem"}},
    {"¢", {"sent"}},        {"£", {"sterlin"}},         {"¤", {"para", "birimi"}},
    {"¥", {"yen"}},         {"¦", {"kesik", "çizgi"}},  {"§", {"paragraf"}},
    {"¨", {"çift", "nokta"}}, {"©", {"telif", "hakkı"}}, {"ª", {"üst", "a"}},
    {"«", {"açılı", "tırnak"}}, {"¬", {"değil"}},        {"®", {"tescilli", "marka"}},
    {"¯", {"üst", "çizgi"}}, {"°", {"derece"}},          {"±", {"artı", "eksi"}},
    {"²", {"kare"}},        {"³", {"küp"}},             {"´", {"vurgu", "işareti"}},
    {"µ", {"mikro"}},       {"¶", {"paragraf", "işareti"}}, {"·", {"orta", "nokta"}},
    {"¸", {"çengel"}},      {"¹", {"üssü", "bir"}},     {"º", {"derece"}},
    {"»", {"açılı", "tırnak"}}, {"¼", {"çeyrek"}},       {"½", {"yarım"}},
    {"¾", {"dörtte", "üç"}}, {"¿", {"ters", "soru", "işareti"}}, {"×", {"çarpı"}},
    {"÷", {"bölü"}},
};

constexpr Row kLetterRows[] = {
    {"a", {"a"}},   {"b", {"be"}},   {"c", {"ce"}},  {"ç", {"çe"}}, {"d", {"de"}},
    {"e", {"e"}},   {"f", {"fe"}},   {"g", {"ge"}},  {"ğ", {"yumuşak", "ge"}},
    {"h", {"he"}},  {"ı", {"ı"}},    {"i", {"i"}},   {"j", {"je"}}, {"k", {"ka"}},
    {"l", {"le"}},  {"m", {"me"}},   {"n", {"ne"}},  {"o", {"o"}},  {"ö", {"ö"}},
    {"p", {"pe"}},  {"r", {"re"}},   {"s", {"se"}},  {"ş", {"şe"}}, {"t", {"te"}},
    {"u", {"u"}},   {"ü", {"ü"}},    {"v", {"ve"}},  {"y", {"ye"}}, {"z", {"ze"}},
    {"w", {"dublüve"}}, {"x", {"iks"}}, {"q", {"kû"}},
};

struct Tables {
  std::array<Name, 256> symbolByByte;
  Name ellipsis;
  std::array<Name, 256> letterName;
};

std::size_t ByteOf(std::string_view cp1254) { return static_cast<unsigned char>(cp1254.front()); }

Name ToName(const std::array<std::string_view, 3>& words) {
  Name name;
  for (std::string_view w : words) {
    if (!w.empty()) name.push_back(Utf8ToCp1254(w));
  }
  return name;
}

Tables Build() {
  Tables t;
  for (const Row& row : kSymbolRows) {
    const std::string symbol = Utf8ToCp1254(row.symbol);
    if (symbol.size() == 1) {
      t.symbolByByte[ByteOf(symbol)] = ToName(row.words);
    } else {
      t.ellipsis = ToName(row.words);
    }
  }
  for (const Row& row : kMoreSymbolRows) {
    Name& name = t.symbolByByte[ByteOf(Utf8ToCp1254(row.symbol))];
    if (name.empty()) name = ToName(row.words);
  }
  for (const Row& row : kLetterRows) t.letterName[ByteOf(Utf8ToCp1254(row.symbol))] = ToName(row.words);
  return t;
}

const Tables& tables() {
  static const Tables t = Build();
  return t;
}

const Name* SymbolName(std::string_view spoken) {
  const Tables& t = tables();
  if (spoken.size() == 1) {
    const Name& name = t.symbolByByte[static_cast<unsigned char>(spoken.front())];
    return name.empty() ? nullptr : &name;
  }
  return spoken == "..." ? &t.ellipsis : nullptr;
}

// spoken = the first word; the others become tokens after it, ahead of
// whatever already followed the token.
void ApplyName(Token& token, const Name& name) {
  token.spoken = name.front();
  std::unique_ptr<Token> rest = token.TakeNext();
  for (std::size_t i = name.size(); i-- > 1;) {
    std::unique_ptr<Token> word = MakeToken(name[i]);
    word->next = std::move(rest);
    rest = std::move(word);
  }
  token.next = std::move(rest);
}

}  // namespace

void NameSymbol(Token& token) {
  if (const Name* name = SymbolName(token.spoken)) ApplyName(token, *name);
}

std::unique_ptr<Token> NameCharacter(char ch) {
  std::unique_ptr<Token> token = MakeToken(std::string_view(&ch, 1));
  const Name& letter = tables().letterName[static_cast<unsigned char>(TurkishLower(ch))];
  if (!letter.empty()) {
    ApplyName(*token, letter);
  } else if (IsDigit(ch)) {
    token->kind = TokenKind::Cardinal;
    ExpandNumber(*token);
  } else {
    NameSymbol(*token);  // a sign without a name is said as itself
  }
  return token;
}

}  // namespace lirvan
