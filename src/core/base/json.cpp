#include "core/base/json.h"
#include "core/base/text_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_set>

namespace strevo {
namespace {

// Bytes of the UTF-8 character at `pos` (1 for ASCII), 0 when none starts there: overlong
// forms, surrogates and code points beyond U+10FFFF included.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) {
    return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0U;
  };
  const unsigned lead = byte(0);
  if (lead < 0x80) {
    return 1;
  }
  std::size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (byte(1) < low || byte(1) > high) {
    return 0;
  }
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) {
      return 0;
    }
  }
  return length;
}

void AppendUtf8(std::string& out, unsigned codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue Document() {
    SkipBlanks();
    JsonValue value = Value(0);
    SkipBlanks();
    if (pos_ < text_.size()) {
      Fail("nach dem Ende der Daten steht noch " + Found() + ".");
    }
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const { throw JsonError(line_, message); }

  bool At(char c) const { return pos_ < text_.size() && text_[pos_] == c; }

  // What stands where the reader is, for a message.
  std::string Found() const {
    if (pos_ >= text_.size()) {
      return "das Ende des Textes";
    }
    const std::string_view rest = text_.substr(pos_);
    if (rest.starts_with("//") || rest.starts_with("/*")) {
      return "ein Kommentar (JSON kennt keine Kommentare)";
    }
    const std::size_t length = Utf8Length(text_, pos_);
    if (length == 0) {
      return "ein Byte, das kein UTF-8 ist";
    }
    return QuotedExcerpt(rest.substr(0, length));
  }

  [[noreturn]] void Expected(const std::string& what) const {
    Fail("erwartet wird " + what + ", dort steht " + Found() + ".");
  }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      // A line ends in LF, CRLF or CR alone.
      if (c == '\n' || (c == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] != '\n'))) {
        ++line_;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        return;
      }
      ++pos_;
    }
  }

  JsonValue Value(int depth) {
    if (pos_ >= text_.size()) {
      Expected("ein Wert");
    }
    const char c = text_[pos_];
    if (c == '{' || c == '[') {
      if (depth >= kDeepestJsonNesting) {
        Fail("die Daten sind tiefer als " + std::to_string(kDeepestJsonNesting) +
             " Ebenen verschachtelt.");
      }
      return c == '{' ? Object(depth + 1) : Array(depth + 1);
    }
    JsonValue value;
    value.line = line_;
    if (c == '"') {
      value.kind = JsonValue::Kind::String;
      value.text = String();
    } else if (c == '-' || IsDigit(c)) {
      value.kind = JsonValue::Kind::Number;
      value.number = Number();
    } else if (text_.substr(pos_).starts_with("true")) {
      value.kind = JsonValue::Kind::Boolean;
      value.boolean = true;
      pos_ += 4;
    } else if (text_.substr(pos_).starts_with("false")) {
      value.kind = JsonValue::Kind::Boolean;
      pos_ += 5;
    } else if (text_.substr(pos_).starts_with("null")) {
      pos_ += 4;
    } else {
      Expected("ein Wert");
    }
    return value;
  }

  // After a comma: the container must go on.
  void NoClosingAfterComma(char closing) const {
    if (At(closing)) {
      Fail("nach dem letzten Eintrag steht ein Komma zu viel.");
    }
  }

  JsonValue Object(int depth) {
    JsonValue object;
    object.kind = JsonValue::Kind::Object;
    object.line = line_;
    ++pos_;
    SkipBlanks();
    if (At('}')) {
      ++pos_;
      return object;
    }
    std::unordered_set<std::string> keys;
    while (true) {
      if (!At('"')) {
        Expected("ein Schlüssel in Anführungszeichen");
      }
      JsonMember member;
      member.line = line_;
      member.key = String();
      if (!keys.insert(member.key).second) {
        Fail("der Schlüssel " + QuotedExcerpt(member.key) + " steht zweimal im selben Objekt.");
      }
      SkipBlanks();
      if (!At(':')) {
        Expected("„:“");
      }
      ++pos_;
      SkipBlanks();
      member.value = Value(depth);
      object.members.push_back(std::move(member));
      SkipBlanks();
      if (At('}')) {
        ++pos_;
        return object;
      }
      if (!At(',')) {
        Expected("„,“ oder „}“");
      }
      ++pos_;
      SkipBlanks();
      NoClosingAfterComma('}');
    }
  }

  JsonValue Array(int depth) {
    JsonValue array;
    array.kind = JsonValue::Kind::Array;
    array.line = line_;
    ++pos_;
    SkipBlanks();
    if (At(']')) {
      ++pos_;
      return array;
    }
    while (true) {
      array.items.push_back(Value(depth));
      SkipBlanks();
      if (At(']')) {
        ++pos_;
        return array;
      }
      if (!At(',')) {
        Expected("„,“ oder „]“");
      }
      ++pos_;
      SkipBlanks();
      NoClosingAfterComma(']');
    }
  }

  unsigned HexUnit() {
    unsigned unit = 0;
    for (int i = 0; i < 4; ++i, ++pos_) {
      const char c = pos_ < text_.size() ? text_[pos_] : '\0';
      unsigned digit = 0;
      if (IsDigit(c)) {
        digit = c - '0';
      } else if (c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
      } else if (c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
      } else {
        Fail("nach „\\u“ müssen vier Hexadezimalziffern stehen.");
      }
      unit = unit * 16 + digit;
    }
    return unit;
  }

  // \u and its four digits, a surrogate pair as one character.
  unsigned EscapedCodePoint() {
    const unsigned unit = HexUnit();
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      Fail("„\\u“ beginnt mit der zweiten Hälfte eines Ersatzzeichenpaars (Surrogat).");
    }
    if (unit < 0xD800 || unit > 0xDBFF) {
      return unit;
    }
    if (!text_.substr(pos_).starts_with("\\u")) {
      Fail("nach der ersten Hälfte eines Ersatzzeichenpaars (Surrogat) fehlt die zweite.");
    }
    pos_ += 2;
    const unsigned low = HexUnit();
    if (low < 0xDC00 || low > 0xDFFF) {
      Fail("nach der ersten Hälfte eines Ersatzzeichenpaars (Surrogat) fehlt die zweite.");
    }
    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
  }

  std::string String() {
    std::string out;
    ++pos_;
    while (true) {
      if (pos_ >= text_.size()) {
        Fail("eine Zeichenkette endet nicht: das schließende „\"“ fehlt.");
      }
      const char c = text_[pos_];
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (static_cast<unsigned char>(c) < 0x20) {
        Fail(
            "ein Zeilenumbruch oder Steuerzeichen in einer Zeichenkette muss maskiert werden "
            "(\\n, \\t, \\u…).");
      }
      if (c != '\\') {
        const std::size_t length = Utf8Length(text_, pos_);
        if (length == 0) {
          Fail("eine Zeichenkette enthält Bytes, die kein UTF-8 sind.");
        }
        out += text_.substr(pos_, length);
        pos_ += length;
        continue;
      }
      ++pos_;
      const char escaped = pos_ < text_.size() ? text_[pos_] : '\0';
      ++pos_;
      switch (escaped) {
        case '"':
        case '\\':
        case '/':
          out += escaped;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u':
          AppendUtf8(out, EscapedCodePoint());
          break;
        default:
          --pos_;
          Fail("nach „\\“ steht " + Found() +
               R"(; erlaubt sind \", \\, \/, \b, \f, \n, \r, \t und \u.)");
      }
    }
  }

  void Digits(const char* missing) {
    if (!(pos_ < text_.size() && IsDigit(text_[pos_]))) {
      Fail(missing);
    }
    while (pos_ < text_.size() && IsDigit(text_[pos_])) {
      ++pos_;
    }
  }

  // A number beyond the double range reads as ±∞, so that the reader of a value can refuse it
  // by its key; one too small for a double reads as ±0, the nearest double.
  double Number() {
    const std::size_t start = pos_;
    const bool negative = At('-');
    if (negative) {
      ++pos_;
    }
    const std::size_t digitsStart = pos_;
    if (At('0')) {
      ++pos_;
      if (pos_ < text_.size() && IsDigit(text_[pos_])) {
        Fail("eine Zahl beginnt nicht mit einer überflüssigen 0.");
      }
    } else {
      Digits("nach dem Minuszeichen muss eine Ziffer stehen.");
    }
    if (At('.')) {
      ++pos_;
      Digits("nach dem Dezimalpunkt muss eine Ziffer stehen.");
    }
    const std::string_view digits = text_.substr(digitsStart, pos_ - digitsStart);
    long long exponent = 0;
    if (At('e') || At('E')) {
      ++pos_;
      const bool negativeExponent = At('-');
      if (At('+') || At('-')) {
        ++pos_;
      }
      const std::size_t exponentStart = pos_;
      Digits("im Exponenten einer Zahl fehlt die Ziffer.");
      for (const char c : text_.substr(exponentStart, pos_ - exponentStart)) {
        constexpr long long kFarBeyondDoubles = 1'000'000'000;
        exponent = std::min(exponent * 10 + (c - '0'), kFarBeyondDoubles);
      }
      exponent = negativeExponent ? -exponent : exponent;
    }
    double value = 0;
    const std::string_view token = text_.substr(start, pos_ - start);
    if (std::from_chars(token.data(), token.data() + token.size(), value).ec == std::errc()) {
      return value;
    }
    // Out of range, so not 0: the number is 0.d₁d₂… · 10^(order + exponent), d₁ not 0.
    const std::size_t point = std::min(digits.find('.'), digits.size());
    const std::size_t first = digits.find_first_not_of("0.");
    const long long order = first < point ? static_cast<long long>(point - first)
                                          : -static_cast<long long>(first - point - 1);
    const double magnitude = order + exponent > 0 ? HUGE_VAL : 0.0;
    return negative ? -magnitude : magnitude;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr std::string_view kHex = "0123456789abcdef";
          out += "\\u00";
          out += kHex[static_cast<unsigned char>(c) >> 4];
          out += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

JsonError::JsonError(int line, const std::string& message)
    : std::runtime_error("Zeile " + std::to_string(line) + ": " + message), line_(line) {}

JsonValue ParseJson(std::string_view text) {
  return Parser(text).Document();
}

void JsonWriter::Key(std::string_view key) {
  Item();
  out_ += JsonString(key);
  out_ += ": ";
  afterKey_ = true;
}

void JsonWriter::Value(std::string_view text) {
  Item();
  out_ += text;
}

void JsonWriter::Open(char bracket) {
  Item();
  out_ += bracket;
  // Inside an inline container everything stays on its line.
  inline_.push_back(!inline_.empty() && inline_.back());
  empty_ = true;
}

void JsonWriter::OpenInline(char bracket) {
  Open(bracket);
  inline_.back() = true;
}

void JsonWriter::Close(char bracket) {
  const bool oneLine = inline_.back();
  inline_.pop_back();
  if (!empty_) {
    if (oneLine) {
      out_ += ' ';
    } else {
      Indent();
    }
  }
  out_ += bracket;
  empty_ = false;
  // A streaming text leaves in pieces of some size, between values.
  constexpr std::size_t kPiece = 1 << 16;
  if (sink_ && out_.size() >= kPiece) {
    sink_(out_);
    out_.clear();
  }
}

void JsonWriter::Finish() {
  out_ += '\n';
  sink_(out_);
  out_.clear();
}

void JsonWriter::Item() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!inline_.empty()) {
    if (inline_.back()) {
      out_ += empty_ ? " " : ", ";
    } else {
      if (!empty_) {
        out_ += ',';
      }
      Indent();
    }
  }
  empty_ = false;
}

void JsonWriter::Indent() {
  out_ += '\n';
  out_.append(2 * inline_.size(), ' ');
}

}  // namespace strevo
