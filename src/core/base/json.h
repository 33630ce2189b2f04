// JSON as the design file and the result use it: text written so that it reads back exactly,
// and a strict reader that remembers where each value stands, so that a mistake can be shown
// at its line.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace strevo {

// The text as a JSON string, quotes included; UTF-8 passes unchanged, control characters,
// quotes and backslashes are escaped.
std::string JsonString(std::string_view text);

struct JsonMember;

struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  int line = 1;  // where the value starts, from 1
  bool boolean = false;
  double number = 0;
  std::string text;  // a string's UTF-8
  std::vector<JsonValue> items;
  std::vector<JsonMember> members;  // in the order of the text
};

struct JsonMember {
  std::string key;
  int line = 1;  // the key's line
  JsonValue value;
};

// Text that is no JSON, or JSON this reader refuses; the message is German and begins with
// the line ("Zeile 4: …").
class JsonError : public std::runtime_error {
 public:
  JsonError(int line, const std::string& message);
  int line() const { return line_; }

 private:
  int line_;
};

// Pretty-printed JSON, two blanks a level: each member and item on a line of its own, or, in a
// container opened inline, all on one line ({ "q": 4, "a": 5 }). The one writer of the
// program's JSON: the result, the section search and the design file.
class JsonWriter {
 public:
  // Text that streams: what `sink` is handed, in order, is the whole text; a long result is
  // never held whole.
  using Sink = std::function<void(std::string_view)>;
  JsonWriter() = default;
  explicit JsonWriter(Sink sink) : sink_(std::move(sink)) {}
  void Key(std::string_view key);
  // A value's text as it stands: a number's, JsonString's, "true", "null".
  void Value(std::string_view text);
  void Open(char bracket);
  // A container on one line, with everything in it.
  void OpenInline(char bracket);
  void Close(char bracket);
  void Field(std::string_view key, std::string_view value) {
    Key(key);
    Value(value);
  }
  std::string Text() && {
    out_ += '\n';
    return std::move(out_);
  }
  // With a sink: hands it the rest of the text.
  void Finish();

 private:
  void Item();
  void Indent();

  std::string out_;
  Sink sink_;
  std::vector<bool> inline_;  // by open container
  bool empty_ = true, afterKey_ = false;
};

inline constexpr int kDeepestJsonNesting = 64;

// One JSON value (RFC 8259) in UTF-8 text with nothing but blanks around it. Refused besides
// what the grammar refuses: a key twice in one object, a lone surrogate, bytes that are no
// UTF-8, more than kDeepestJsonNesting nested arrays and objects. A number beyond the double
// range reads as ±infinity (for its reader to refuse by its key), one too small as ±0.
JsonValue ParseJson(std::string_view text);

}  // namespace strevo
