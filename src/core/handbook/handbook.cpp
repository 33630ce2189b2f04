#include "core/handbook/handbook.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <utility>

#include "core/base/text_rules.h"

namespace strevo {
namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw HandbookError("handbuch.md, Zeile " + std::to_string(line) + ": " + what);
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> SplitList(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    parts.emplace_back(Trimmed(text.substr(start, end - start)));
    if (end == std::string_view::npos) {
      return parts;
    }
    start = end + 1;
  }
}

// Inline markup: plain text, **bold** and `code`.
enum class Style { Plain, Bold, Code };
struct Span {
  Style style;
  std::string text;
};

std::vector<Span> Spans(std::string_view text, int line) {
  std::vector<Span> spans;
  std::string plain;
  const auto flush = [&] {
    if (!plain.empty()) {
      spans.push_back({Style::Plain, plain});
      plain.clear();
    }
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const bool code = text[i] == '`';
    const bool bold = text.substr(i, 2) == "**";
    if (!code && !bold) {
      plain += text[i++];
      continue;
    }
    const std::string_view mark = code ? "`" : "**";
    const std::size_t end = text.find(mark, i + mark.size());
    if (end == std::string_view::npos) {
      Fail(line, std::string(mark) + " ohne Ende");
    }
    flush();
    spans.push_back({code ? Style::Code : Style::Bold,
                     std::string(text.substr(i + mark.size(), end - i - mark.size()))});
    i = end + mark.size();
  }
  flush();
  return spans;
}

std::string PlainOf(std::string_view text) {
  std::string plain;
  for (const Span& span : Spans(text, 0)) {
    plain += span.text;
  }
  return plain;
}

bool IsHeading(std::string_view line, int& level) {
  level = 0;
  while (level < static_cast<int>(line.size()) && line[level] == '#') {
    ++level;
  }
  return level >= 1 && level <= 3 && static_cast<int>(line.size()) > level + 1 &&
         line[level] == ' ';
}

// "1. item": the length of the marker with its blank, 0 for none.
std::size_t OrderedMarker(std::string_view line) {
  std::size_t digits = 0;
  while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits])) != 0) {
    ++digits;
  }
  return digits > 0 && line.substr(digits, 2) == ". " ? digits + 2 : 0;
}

std::vector<std::string> Cells(std::string_view line) {
  std::string_view inner = Trimmed(line);
  inner.remove_prefix(1);
  if (!inner.empty() && inner.back() == '|') {
    inner.remove_suffix(1);
  }
  return SplitList(inner, '|');
}

bool IsRule(const std::vector<std::string>& cells) {
  return std::all_of(cells.begin(), cells.end(), [](const std::string& cell) {
    return !cell.empty() && cell.find_first_not_of("-:") == std::string::npos;
  });
}

HandbookBlock BlockOf(HandbookBlockKind kind) {
  HandbookBlock block;
  block.kind = kind;
  return block;
}

class Parser {
 public:
  explicit Parser(std::string_view markdown) : lines_(SplitLines(markdown)) {}

  Handbook Parse() {
    while (at_ < lines_.size()) {
      const std::string& line = lines_[at_];
      const std::string_view trimmed = Trimmed(line);
      int level = 0;
      if (trimmed.empty()) {
        ++at_;
      } else if (trimmed.starts_with("<!--")) {
        Comment();
      } else if (IsHeading(line, level)) {
        Heading(level);
      } else if (line.starts_with("    ")) {
        Code();
      } else if (line.starts_with("- ") || OrderedMarker(line) > 0) {
        List(line.starts_with("- ") ? HandbookBlockKind::List : HandbookBlockKind::OrderedList);
      } else if (line.starts_with("|")) {
        Table();
      } else {
        Paragraph();
      }
    }
    if (!pendingPages_.empty()) {
      Fail(static_cast<int>(lines_.size()), "<!-- man … --> ohne folgende Überschrift");
    }
    return std::move(handbook_);
  }

 private:
  int LineNumber() const { return static_cast<int>(at_) + 1; }

  void Comment() {
    const int first = LineNumber();
    std::string text;
    while (true) {
      if (at_ == lines_.size()) {
        Fail(first, "<!-- ohne -->");
      }
      text += lines_[at_++] + "\n";
      if (text.find("-->") != std::string::npos) {
        break;
      }
    }
    std::string_view body = Trimmed(text);
    if (!body.ends_with("-->")) {
      Fail(first, "Text nach -->");
    }
    body.remove_prefix(4);
    body.remove_suffix(3);
    Directive(Trimmed(body), first);
  }

  void Directive(std::string_view body, int line) {
    const std::size_t colon = body.find(':');
    const std::string_view word = body.substr(0, body.find_first_of(" :\n"));
    if (word != "manpage" && word != "man" && word != "stand") {
      return;  // a comment
    }
    if (colon == std::string_view::npos || body.find('\n') != std::string_view::npos) {
      Fail(line, "Anweisung „" + std::string(word) + "“ braucht eine Zeile mit Doppelpunkt");
    }
    const std::string argument(Trimmed(body.substr(word.size(), colon - word.size())));
    const std::string value(Trimmed(body.substr(colon + 1)));
    if (value.empty()) {
      Fail(line, "Anweisung „" + std::string(word) + "“ ohne Wert");
    }
    if (word == "stand") {
      handbook_.date = value;
    } else if (word == "manpage") {
      handbook_.pages.push_back({argument, value});
    } else {
      pendingPages_ = SplitList(argument, ',');
      for (const std::string& page : pendingPages_) {
        const bool known = std::any_of(handbook_.pages.begin(), handbook_.pages.end(),
                                       [&](const HandbookPage& p) { return p.name == page; });
        if (!known) {
          Fail(line, "Handbuchseite „" + page + "“ nicht mit <!-- manpage … --> erklärt");
        }
      }
      pendingTitle_ = value;
    }
  }

  void Heading(int level) {
    HandbookBlock block = BlockOf(HandbookBlockKind::Heading);
    block.level = level;
    block.text = Trimmed(std::string_view(lines_[at_]).substr(level));
    Spans(block.text, LineNumber());
    block.pages = std::exchange(pendingPages_, {});
    block.manTitle = std::exchange(pendingTitle_, {});
    handbook_.blocks.push_back(std::move(block));
    ++at_;
  }

  void Code() {
    HandbookBlock block = BlockOf(HandbookBlockKind::Code);
    while (at_ < lines_.size() && lines_[at_].starts_with("    ")) {
      block.text += lines_[at_++].substr(4) + "\n";
    }
    handbook_.blocks.push_back(std::move(block));
  }

  void List(HandbookBlockKind kind) {
    HandbookBlock block = BlockOf(kind);
    while (at_ < lines_.size()) {
      const std::string& line = lines_[at_];
      const std::size_t marker =
          kind == HandbookBlockKind::List ? (line.starts_with("- ") ? 2 : 0) : OrderedMarker(line);
      if (marker > 0) {
        block.items.emplace_back(Trimmed(line.substr(marker)));
      } else if (line.starts_with(" ") && !Trimmed(line).empty()) {
        block.items.back().append(" ").append(Trimmed(line));
      } else {
        break;
      }
      Spans(block.items.back(), LineNumber());
      ++at_;
    }
    handbook_.blocks.push_back(std::move(block));
  }

  void Table() {
    HandbookBlock block = BlockOf(HandbookBlockKind::Table);
    while (at_ < lines_.size() && lines_[at_].starts_with("|")) {
      std::vector<std::string> cells = Cells(lines_[at_]);
      if (!block.rows.empty() && cells.size() != block.rows.front().size()) {
        Fail(LineNumber(), "Tabellenzeile mit " + std::to_string(cells.size()) + " statt " +
                               std::to_string(block.rows.front().size()) + " Spalten");
      }
      const bool rule = IsRule(cells);
      if (rule != (block.rows.size() == 1 && !ruleSeen_)) {
        Fail(LineNumber(), rule ? "Trennzeile nicht unter der Kopfzeile"
                                : "Tabelle ohne Trennzeile unter der Kopfzeile");
      }
      if (rule) {
        ruleSeen_ = true;
      } else {
        for (const std::string& cell : cells) {
          Spans(cell, LineNumber());
        }
        block.rows.push_back(std::move(cells));
      }
      ++at_;
    }
    ruleSeen_ = false;
    handbook_.blocks.push_back(std::move(block));
  }

  void Paragraph() {
    HandbookBlock block = BlockOf(HandbookBlockKind::Paragraph);
    const int first = LineNumber();
    int level = 0;
    while (at_ < lines_.size()) {
      const std::string& line = lines_[at_];
      const std::string_view trimmed = Trimmed(line);
      if (trimmed.empty() || IsHeading(line, level) || line.starts_with("- ") ||
          line.starts_with("|") || trimmed.starts_with("<!--") || OrderedMarker(line) > 0) {
        break;
      }
      block.text += (block.text.empty() ? "" : " ") + std::string(trimmed);
      ++at_;
    }
    Spans(block.text, first);
    handbook_.blocks.push_back(std::move(block));
  }

  std::vector<std::string> lines_;
  std::size_t at_ = 0;
  Handbook handbook_;
  std::vector<std::string> pendingPages_;
  std::string pendingTitle_;
  bool ruleSeen_ = false;
};

// HTML.

std::string InlineHtml(std::string_view text) {
  std::string html;
  for (const Span& span : Spans(text, 0)) {
    const std::string escaped = HtmlEscaped(span.text);
    switch (span.style) {
      case Style::Plain:
        html += escaped;
        break;
      case Style::Bold:
        html += "<b>" + escaped + "</b>";
        break;
      case Style::Code:
        html += "<code>" + escaped + "</code>";
        break;
    }
  }
  return html;
}

std::string Element(std::string_view tag, std::string_view inner) {
  std::string element = "<";
  element.append(tag).append(">").append(inner).append("</").append(tag).append(">");
  return element;
}

std::string AnchorOf(int index) {
  return "abschnitt-" + std::to_string(index + 1);
}

// roff.

std::string RoffEscaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\e";
        break;
      case '-':
        out += "\\-";
        break;
      case '"':
        out += "\\(dq";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// A text line that starts with . or ' would be read as a request.
std::string RoffLine(std::string text) {
  if (!text.empty() && (text.front() == '.' || text.front() == '\'')) {
    text.insert(0, "\\&");
  }
  return text + "\n";
}

std::string InlineRoff(std::string_view text) {
  std::string roff;
  for (const Span& span : Spans(text, 0)) {
    const std::string escaped = RoffEscaped(span.text);
    roff += span.style == Style::Plain ? escaped : "\\fB" + escaped + "\\fR";
  }
  return roff;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

std::string RoffBlock(const HandbookBlock& block) {
  std::string roff;
  switch (block.kind) {
    case HandbookBlockKind::Heading:
      return ".SS " + RoffEscaped(PlainOf(block.text)) + "\n";
    case HandbookBlockKind::Paragraph:
      return ".PP\n" + RoffLine(InlineRoff(block.text));
    case HandbookBlockKind::List:
      for (const std::string& item : block.items) {
        roff += ".IP \\(bu 2\n" + RoffLine(InlineRoff(item));
      }
      return roff;
    case HandbookBlockKind::OrderedList:
      for (std::size_t i = 0; i < block.items.size(); ++i) {
        roff += ".IP " + std::to_string(i + 1) + ". 4\n" + RoffLine(InlineRoff(block.items[i]));
      }
      return roff;
    case HandbookBlockKind::Table:
      // A tagged paragraph per row, the header's in bold: the first cell as the tag, the
      // others after it.
      for (std::size_t r = 0; r < block.rows.size(); ++r) {
        const auto cell = [&](std::size_t c) {
          const std::string text = InlineRoff(block.rows[r][c]);
          return r == 0 ? "\\fB" + text + "\\fR" : text;
        };
        std::string body;
        for (std::size_t c = 1; c < block.rows[r].size(); ++c) {
          body += (c > 1 ? " \\(em " : "") + cell(c);
        }
        roff += ".TP\n" + RoffLine(cell(0)) + RoffLine(body);
      }
      return roff;
    case HandbookBlockKind::Code:
      roff = ".PP\n.RS 4\n.nf\n";
      for (const std::string& line : SplitLines(block.text)) {
        if (!line.empty()) {
          roff += RoffLine(RoffEscaped(line));
        }
      }
      return roff + ".fi\n.RE\n";
  }
  return roff;
}

}  // namespace

Handbook ParseHandbook(std::string_view markdown) {
  return Parser(markdown).Parse();
}

std::vector<HandbookHeading> HandbookHeadings(const Handbook& handbook) {
  std::vector<HandbookHeading> headings;
  for (const HandbookBlock& block : handbook.blocks) {
    if (block.kind == HandbookBlockKind::Heading) {
      headings.push_back(
          {block.level, PlainOf(block.text), AnchorOf(static_cast<int>(headings.size()))});
    }
  }
  return headings;
}

std::string HandbookHtml(const Handbook& handbook) {
  std::string html;
  int heading = 0;
  for (const HandbookBlock& block : handbook.blocks) {
    switch (block.kind) {
      case HandbookBlockKind::Heading: {
        html += Element("h" + std::to_string(block.level),
                        "<a name=\"" + AnchorOf(heading++) + "\"></a>" + InlineHtml(block.text)) +
                "\n";
        break;
      }
      case HandbookBlockKind::Paragraph:
        html += "<p>" + InlineHtml(block.text) + "</p>\n";
        break;
      case HandbookBlockKind::List:
      case HandbookBlockKind::OrderedList: {
        const std::string tag = block.kind == HandbookBlockKind::List ? "ul" : "ol";
        html += "<" + tag + ">\n";
        for (const std::string& item : block.items) {
          html += "<li>" + InlineHtml(item) + "</li>\n";
        }
        html += "</" + tag + ">\n";
        break;
      }
      case HandbookBlockKind::Table:
        html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n";
        for (std::size_t r = 0; r < block.rows.size(); ++r) {
          const std::string cell = r == 0 ? "th" : "td";
          html += "<tr>";
          for (const std::string& text : block.rows[r]) {
            html += Element(cell, InlineHtml(text));
          }
          html += "</tr>\n";
        }
        html += "</table>\n";
        break;
      case HandbookBlockKind::Code:
        html += "<pre>" + HtmlEscaped(block.text) + "</pre>\n";
        break;
    }
  }
  return html;
}

std::string HandbookManPage(const Handbook& handbook, std::string_view page,
                            std::string_view version) {
  const auto declared = std::find_if(handbook.pages.begin(), handbook.pages.end(),
                                     [&](const HandbookPage& p) { return p.name == page; });
  if (declared == handbook.pages.end()) {
    throw HandbookError("Handbuchseite „" + std::string(page) + "“ ist nicht erklärt");
  }
  std::string roff = ".TH " + RoffEscaped(Upper(page)) + " 1 \"" + handbook.date + "\" \"Strevo " +
                     std::string(version) + "\" \"Benutzerbefehle\"\n.SH NAME\n" +
                     RoffLine(RoffEscaped(page) + " \\- " + RoffEscaped(declared->summary));
  // Manual pages have their synopsis and description first, wherever the handbook tells them.
  const auto rank = [](const std::string& title) {
    return title == "ÜBERSICHT" ? 0 : title == "BESCHREIBUNG" ? 1 : 2;
  };
  for (const int pass : {0, 1, 2}) {
    int sectionLevel = 0;  // of the marked heading being copied; 0 while none
    for (const HandbookBlock& block : handbook.blocks) {
      if (block.kind == HandbookBlockKind::Heading) {
        if (sectionLevel > 0 && block.level <= sectionLevel) {
          sectionLevel = 0;
        }
        if (std::find(block.pages.begin(), block.pages.end(), page) != block.pages.end() &&
            rank(block.manTitle) == pass) {
          sectionLevel = block.level;
          roff += ".SH " + RoffEscaped(block.manTitle) + "\n";
          continue;
        }
      }
      if (sectionLevel > 0) {
        roff += RoffBlock(block);
      }
    }
  }
  std::string others;
  for (const HandbookPage& other : handbook.pages) {
    if (other.name != page) {
      others += (others.empty() ? "" : ",\n") + (".BR " + RoffEscaped(other.name) + " (1)");
    }
  }
  if (!others.empty()) {
    roff += ".SH SIEHE AUCH\n" + others + "\n";
  }
  return roff;
}

}  // namespace strevo
