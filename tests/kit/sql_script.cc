#include "kit/sql_script.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace pellora::kit {

namespace {

// ---- Text encodings ----

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string utf8FromUtf16le(std::string_view bytes) {
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t unit = static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      char32_t low = static_cast<uint8_t>(bytes[i + 2]) | (static_cast<uint8_t>(bytes[i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    appendUtf8(out, unit);
  }
  return out;
}

bool isValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const uint8_t lead = static_cast<uint8_t>(s[i]);
    int more = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
    if (more < 0 || (more == 1 && lead < 0xC2)) return false;
    ++i;
    for (int k = 0; k < more; ++k, ++i) {
      if (i >= s.size() || (static_cast<uint8_t>(s[i]) & 0xC0) != 0x80) return false;
    }
  }
  return true;
}

// Windows-1251 through the C library's converter, which knows nothing of the
// program under test.
std::string utf8FromWindows1251(std::string_view bytes) {
  iconv_t converter = iconv_open("UTF-8", "CP1251");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
  std::string input(bytes);
  std::string out(input.size() * 3 + 4, '\0');
  char* in = input.data();
  size_t inLeft = input.size();
  char* to = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(converter, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1)) break;
    // 0x98 has no character in this code page: skip it rather than stop.
    ++in;
    --inLeft;
  }
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}

// A file without a byte order mark is taken as UTF-16LE when most of its odd
// bytes are zero, as they are for text that is mostly ASCII.
bool looksLikeUtf16le(std::string_view bytes) {
  const size_t sample = std::min<size_t>(bytes.size(), 4096) & ~size_t{1};
  if (sample == 0) return false;
  size_t zeros = 0;
  for (size_t i = 1; i < sample; i += 2) zeros += bytes[i] == '\0';
  return zeros * 4 > sample;
}

std::string withoutByteOrderMarks(std::string text) {
  static const std::string kMark = "\xEF\xBB\xBF";
  for (size_t at = text.find(kMark); at != std::string::npos; at = text.find(kMark, at)) text.erase(at, kMark.size());
  return text;
}

// ---- Tokens ----

enum class TokenKind { kWord, kQuotedName, kString, kNumber, kBinary, kSymbol };

struct Token {
  TokenKind kind;
  std::string text;
  bool unicode = false;
};

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool isWordStart(unsigned char c) { return std::isalpha(c) || c == '_' || c == '@' || c == '#' || c >= 0x80; }
bool isWordPart(unsigned char c) { return isWordStart(c) || std::isdigit(c) || c == '$'; }

class Lexer {
 public:
  explicit Lexer(std::string_view text) : s_(text) {}

  std::vector<Token> tokens() {
    std::vector<Token> out;
    while (skipBlanksAndComments()) out.push_back(next());
    return out;
  }

 private:
  char at(size_t k) const { return i_ + k < s_.size() ? s_[i_ + k] : '\0'; }

  // False at the end of the text.
  bool skipBlanksAndComments() {
    while (i_ < s_.size()) {
      const char c = s_[i_];
      if (std::isspace(static_cast<unsigned char>(c))) {
        ++i_;
      } else if (c == '-' && at(1) == '-') {
        while (i_ < s_.size() && s_[i_] != '\n') ++i_;
      } else if (c == '/' && at(1) == '*') {
        // Block comments nest in T-SQL.
        int depth = 0;
        do {
          if (at(0) == '/' && at(1) == '*') {
            ++depth;
            i_ += 2;
          } else if (at(0) == '*' && at(1) == '/') {
            --depth;
            i_ += 2;
          } else {
            ++i_;
          }
        } while (depth > 0 && i_ < s_.size());
      } else {
        return true;
      }
    }
    return false;
  }

  // Text up to the closing `close`, a doubled `close` standing for itself.
  std::string delimited(char close) {
    std::string out;
    ++i_;
    while (i_ < s_.size()) {
      if (s_[i_] == close) {
        if (at(1) == close) {
          out += close;
          i_ += 2;
          continue;
        }
        ++i_;
        break;
      }
      out += s_[i_++];
    }
    return out;
  }

  Token next() {
    const unsigned char c = static_cast<unsigned char>(s_[i_]);
    if ((c == 'N' || c == 'n') && at(1) == '\'') {
      ++i_;
      return {TokenKind::kString, delimited('\''), true};
    }
    if (c == '\'') return {TokenKind::kString, delimited('\'')};
    if (c == '[') return {TokenKind::kQuotedName, delimited(']')};
    if (c == '"') return {TokenKind::kQuotedName, delimited('"')};
    if (c == '0' && (at(1) == 'x' || at(1) == 'X')) {
      i_ += 2;
      std::string hex;
      while (std::isxdigit(static_cast<unsigned char>(at(0)))) {
        hex += static_cast<char>(std::toupper(static_cast<unsigned char>(s_[i_++])));
      }
      return {TokenKind::kBinary, hex};
    }
    if (std::isdigit(c) || (c == '.' && std::isdigit(static_cast<unsigned char>(at(1))))) {
      const size_t start = i_;
      while (std::isdigit(static_cast<unsigned char>(at(0))) || at(0) == '.') ++i_;
      if ((at(0) == 'e' || at(0) == 'E') &&
          (std::isdigit(static_cast<unsigned char>(at(1))) ||
           ((at(1) == '+' || at(1) == '-') && std::isdigit(static_cast<unsigned char>(at(2)))))) {
        i_ += 2;
        while (std::isdigit(static_cast<unsigned char>(at(0)))) ++i_;
      }
      return {TokenKind::kNumber, std::string(s_.substr(start, i_ - start))};
    }
    if (isWordStart(c)) {
      const size_t start = i_;
      while (i_ < s_.size() && isWordPart(static_cast<unsigned char>(s_[i_]))) ++i_;
      return {TokenKind::kWord, std::string(s_.substr(start, i_ - start))};
    }
    ++i_;
    return {TokenKind::kSymbol, std::string(1, static_cast<char>(c))};
  }

  std::string_view s_;
  size_t i_ = 0;
};

// ---- Statements ----

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : t_(std::move(tokens)) {}

  SqlScript parse() {
    SqlScript script;
    while (i_ < t_.size()) {
      if (word("CREATE") || word("ALTER")) {
        const bool creating = word("CREATE");
        ++i_;
        if (word("OR") && word("ALTER", 1)) i_ += 2;
        if (creating && word("TABLE")) {
          ++i_;
          createTable(script);
        } else if (word("PROC") || word("PROCEDURE") || word("FUNCTION") || word("TRIGGER") || word("VIEW")) {
          // Statements inside a body run later, with other values: not data.
          while (i_ < t_.size() && !word("GO")) ++i_;
        }
      } else if (word("INSERT")) {
        ++i_;
        insert(script);
      } else {
        ++i_;
      }
    }
    return script;
  }

 private:
  bool word(std::string_view w, size_t ahead = 0) const {
    const size_t k = i_ + ahead;
    return k < t_.size() && t_[k].kind == TokenKind::kWord && lowered(t_[k].text) == lowered(w);
  }
  bool symbol(char c, size_t ahead = 0) const {
    const size_t k = i_ + ahead;
    return k < t_.size() && t_[k].kind == TokenKind::kSymbol && t_[k].text[0] == c;
  }
  bool isName(size_t k) const {
    return k < t_.size() && (t_[k].kind == TokenKind::kWord || t_[k].kind == TokenKind::kQuotedName);
  }

  // server.database.schema.name: the last part.
  std::string qualifiedName() {
    std::string name;
    while (isName(i_)) {
      name = t_[i_++].text;
      if (!symbol('.')) break;
      ++i_;
    }
    return name;
  }

  // Tokens up to the `)` that closes the parenthesis just passed, joined without
  // blanks and lowered; `i_` ends past that `)`.
  std::string argumentsText() {
    std::string out;
    int depth = 1;
    while (i_ < t_.size()) {
      if (symbol('(')) ++depth;
      if (symbol(')') && --depth == 0) {
        ++i_;
        break;
      }
      out += t_[i_++].text;
    }
    return lowered(out);
  }

  void createTable(SqlScript& script) {
    SqlTableDefinition table;
    table.name = qualifiedName();
    if (!symbol('(')) return;
    ++i_;
    while (i_ < t_.size() && !symbol(')')) {
      const size_t start = i_;
      int depth = 0;
      while (i_ < t_.size() && !(depth == 0 && (symbol(',') || symbol(')')))) {
        if (symbol('(')) ++depth;
        if (symbol(')')) --depth;
        ++i_;
      }
      column(start, i_, table);
      if (symbol(',')) ++i_;
    }
    script.tables.push_back(std::move(table));
  }

  void column(size_t start, size_t end, SqlTableDefinition& table) {
    static const char* const kTableElements[] = {"CONSTRAINT", "PRIMARY", "UNIQUE", "FOREIGN",
                                                 "CHECK",      "INDEX",   "PERIOD"};
    if (start >= end || !isName(start)) return;
    if (t_[start].kind == TokenKind::kWord) {
      for (const char* element : kTableElements) {
        if (lowered(t_[start].text) == lowered(element)) return;
      }
    }
    SqlColumnDefinition definition;
    definition.name = t_[start].text;
    size_t k = start + 1;
    while (k < end && isName(k)) {
      definition.type = lowered(t_[k].text);
      if (k + 1 < end && t_[k + 1].kind == TokenKind::kSymbol && t_[k + 1].text == ".") {
        k += 2;
      } else {
        ++k;
        break;
      }
    }
    if (k < end && t_[k].kind == TokenKind::kSymbol && t_[k].text == "(") {
      const size_t saved = i_;
      i_ = k + 1;
      definition.arguments = argumentsText();
      i_ = saved;
    }
    table.columns.push_back(std::move(definition));
  }

  void insert(SqlScript& script) {
    if (word("INTO")) ++i_;
    SqlInsert statement;
    statement.table = qualifiedName();
    if (symbol('(')) {
      ++i_;
      while (i_ < t_.size() && !symbol(')')) {
        if (isName(i_)) statement.columns.push_back(t_[i_].text);
        ++i_;
      }
      ++i_;
    }
    // INSERT ... SELECT, EXEC or DEFAULT VALUES carries no literals.
    if (!word("VALUES")) return;
    ++i_;
    while (symbol('(')) {
      ++i_;
      SqlInsert row = statement;
      while (i_ < t_.size() && !symbol(')')) {
        row.values.push_back(value());
        if (symbol(',')) ++i_;
      }
      ++i_;
      script.inserts.push_back(std::move(row));
      if (!symbol(',')) break;
      ++i_;
    }
  }

  SqlLiteral value() {
    SqlLiteral literal;
    const size_t start = i_;
    if (word("NULL")) {
      ++i_;
      return literal;
    }
    if (i_ < t_.size() && t_[i_].kind == TokenKind::kString) {
      literal.kind = SqlLiteral::Kind::kString;
      literal.text = t_[i_].text;
      literal.unicode = t_[i_++].unicode;
      return literal;
    }
    if (i_ < t_.size() && t_[i_].kind == TokenKind::kBinary) {
      literal.kind = SqlLiteral::Kind::kBinary;
      literal.text = t_[i_++].text;
      return literal;
    }
    const bool hasSign = symbol('-') || symbol('+');
    if (i_ + hasSign < t_.size() && t_[i_ + hasSign].kind == TokenKind::kNumber) {
      literal.kind = SqlLiteral::Kind::kNumber;
      literal.text = (symbol('-') ? "-" : "") + t_[i_ + hasSign].text;
      i_ += 1 + hasSign;
      return literal;
    }
    if (word("CAST") && symbol('(', 1)) {
      i_ += 2;
      literal = value();
      if (word("AS")) {
        ++i_;
        literal.castType = argumentsText();
        return literal;
      }
      i_ = start;
    }
    return expression();
  }

  // Anything else, up to the `,` or `)` that ends the value.
  SqlLiteral expression() {
    SqlLiteral literal;
    literal.kind = SqlLiteral::Kind::kExpression;
    int depth = 0;
    while (i_ < t_.size() && !(depth == 0 && (symbol(',') || symbol(')')))) {
      if (symbol('(')) ++depth;
      if (symbol(')')) --depth;
      if (!literal.text.empty()) literal.text += ' ';
      literal.text += t_[i_++].text;
    }
    return literal;
  }

  std::vector<Token> t_;
  size_t i_ = 0;
};

bool sameName(std::string_view a, std::string_view b) { return lowered(a) == lowered(b); }

}  // namespace

const SqlColumnDefinition* SqlTableDefinition::column(std::string_view wanted) const {
  for (const SqlColumnDefinition& c : columns) {
    if (sameName(c.name, wanted)) return &c;
  }
  return nullptr;
}

const SqlTableDefinition* SqlScript::table(std::string_view wanted) const {
  for (const SqlTableDefinition& t : tables) {
    if (sameName(t.name, wanted)) return &t;
  }
  return nullptr;
}

std::string scriptTextAsUtf8(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xFE) {
    return withoutByteOrderMarks(utf8FromUtf16le(bytes.substr(2)));
  }
  if (looksLikeUtf16le(bytes)) return withoutByteOrderMarks(utf8FromUtf16le(bytes));
  if (isValidUtf8(bytes)) return withoutByteOrderMarks(std::string(bytes));
  return utf8FromWindows1251(bytes);
}

SqlScript parseSqlScript(std::string_view utf8) { return Parser(Lexer(utf8).tokens()).parse(); }

SqlScript loadSqlScript(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::stringstream bytes;
  bytes << in.rdbuf();
  return parseSqlScript(scriptTextAsUtf8(bytes.str()));
}

}  // namespace pellora::kit
