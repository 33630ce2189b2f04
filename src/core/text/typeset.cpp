#include "core/text/typeset.h"

#include <algorithm>
#include <utility>

namespace strevo::typeset {
namespace {

using Kind = Formula::Kind;

// A formula as it is set: what stands in a row, what is stacked, raised or under a root, and
// where brackets stand. The line text and the typeset block are both written from it, so that
// they agree.
struct Node {
  enum class Type { Row, Name, Number, Symbol, Parens, Fraction, Square, Root };
  Type type;
  std::string text;  // Name: the name; Symbol: " + ", " − ", " · " or the sign "−"
  double number = 0;
  std::vector<Node> children;  // Row: its items; Fraction: numerator, denominator; else one
  bool breakBefore = false;    // a binary operator: a line may break before it
};

Node Leaf(Node::Type type, std::string text, double number = 0) {
  return {type, std::move(text), number, {}, false};
}
Node Wrap(Node::Type type, Node inner) {
  Node node{type, {}, 0, {}, false};
  node.children.push_back(std::move(inner));
  return node;
}
Node Operator(const char* text) {
  return {Node::Type::Symbol, text, 0, {}, true};
}

bool IsSum(const Formula& f) {
  return f.kind == Kind::Add || f.kind == Kind::Subtract;
}
bool IsScaled(const Formula& f) {
  return f.kind == Kind::Number && WriteNumber(f.number).scaled;
}
// Whether the written formula begins with a minus sign.
bool StartsNegative(const Formula& f) {
  switch (f.kind) {
    case Kind::Number:
      return WriteNumber(f.number).digits.starts_with("−");
    case Kind::Negate:
      return true;
    case Kind::Add:
    case Kind::Subtract:
    case Kind::Multiply:
    case Kind::Divide:
      return StartsNegative(*f.left);
    default:
      return false;
  }
}
// A name or a number that needs no bracket under a root or an exponent.
bool IsAtom(const Formula& f) {
  return f.kind == Kind::Name || (f.kind == Kind::Number && !IsScaled(f) && !StartsNegative(f));
}

Node Build(const Formula& f);

Node Bracketed(const Formula& f, bool parens) {
  return parens ? Wrap(Node::Type::Parens, Build(f)) : Build(f);
}

// Operands of the same operation join one row, so that a line breaks between all of its terms.
void Splice(Node& row, Node item) {
  if (item.type == Node::Type::Row && !item.children.empty() &&
      item.children.front().type != Node::Type::Symbol) {
    for (Node& child : item.children) {
      row.children.push_back(std::move(child));
    }
    return;
  }
  row.children.push_back(std::move(item));
}

Node Build(const Formula& f) {
  Node row{Node::Type::Row, {}, 0, {}, false};
  switch (f.kind) {
    case Kind::Number:
      return Leaf(Node::Type::Number, {}, f.number);
    case Kind::Name:
      return Leaf(Node::Type::Name, f.name);
    case Kind::Add:
    case Kind::Subtract: {
      const bool minus = f.kind == Kind::Subtract;
      Node left = Build(*f.left);
      if (IsSum(*f.left)) {
        Splice(row, std::move(left));
      } else {
        row.children.push_back(std::move(left));
      }
      row.children.push_back(Operator(minus ? " − " : " + "));
      row.children.push_back(
          Bracketed(*f.right, (minus && IsSum(*f.right)) || StartsNegative(*f.right)));
      return row;
    }
    case Kind::Multiply: {
      Node left = Bracketed(*f.left, IsSum(*f.left) || IsScaled(*f.left));
      if (f.left->kind == Kind::Multiply) {
        Splice(row, std::move(left));
      } else {
        row.children.push_back(std::move(left));
      }
      row.children.push_back(Operator(" · "));
      row.children.push_back(
          Bracketed(*f.right, IsSum(*f.right) || StartsNegative(*f.right) || IsScaled(*f.right)));
      return row;
    }
    case Kind::Divide: {
      Node fraction{Node::Type::Fraction, {}, 0, {}, false};
      fraction.children.push_back(Build(*f.left));
      fraction.children.push_back(Build(*f.right));
      return fraction;
    }
    case Kind::Negate:
      row.children.push_back(Leaf(Node::Type::Symbol, "−"));
      row.children.push_back(Bracketed(*f.left, IsSum(*f.left) || StartsNegative(*f.left)));
      return row;
    case Kind::Square:
      return Wrap(Node::Type::Square, Bracketed(*f.left, !IsAtom(*f.left)));
    case Kind::Root:
      break;
  }
  return Wrap(Node::Type::Root, Build(*f.left));
}

bool HasSum(const Node& node) {
  return node.type == Node::Type::Row &&
         std::any_of(node.children.begin(), node.children.end(), [](const Node& child) {
           return child.type == Node::Type::Symbol && (child.text == " + " || child.text == " − ");
         });
}
bool IsSimple(const Node& node) {
  return node.type == Node::Type::Name || node.type == Node::Type::Parens ||
         (node.type == Node::Type::Number && !WriteNumber(node.number).scaled &&
          !WriteNumber(node.number).digits.starts_with("−"));
}

// A name's letter and its index: "σR" is σ with R below, "λ̄y" λ̄ with y, "EI1" EI with 1.
std::pair<std::string, std::string> NameParts(const std::string& name) {
  // The first character may take more than one byte (σ, η).
  std::size_t main = 1;
  while (main < name.size() && (static_cast<unsigned char>(name[main]) & 0xC0) == 0x80) {
    ++main;
  }
  // A combining mark (the bar of λ̄) belongs to the letter it stands on.
  while (main + 1 < name.size() && (name[main] == '\xCC' || name[main] == '\xCD')) {
    main += 2;
  }
  if (name.starts_with("EI") || name.starts_with("GI")) {
    main = 2;  // bending and torsional stiffness: EI1 is EI with index 1
  }
  if (name.find('/') != std::string::npos) {
    main = name.size();  // 1/φ is a quotient, no index
  }
  return {name.substr(0, main), name.substr(std::min(main, name.size()))};
}

std::string Bracketed(const std::string& text) {
  return "(" + text + ")";
}

std::string Line(const Node& node) {
  switch (node.type) {
    case Node::Type::Row: {
      std::string text;
      for (const Node& child : node.children) {
        text += Line(child);
      }
      return text;
    }
    case Node::Type::Name:
      return node.text;
    case Node::Type::Number:
      return NumberText(node.number);
    case Node::Type::Symbol:
      return node.text;
    case Node::Type::Parens:
      return Bracketed(Line(node.children[0]));
    case Node::Type::Fraction: {
      // On a line the fraction bar becomes "/": a sum above it and anything but a simple
      // operand below it take brackets.
      const Node& num = node.children[0];
      const Node& den = node.children[1];
      const std::string top = Line(num);
      const std::string bottom = Line(den);
      return (HasSum(num) ? Bracketed(top) : top) + " / " +
             (IsSimple(den) || den.type == Node::Type::Square || den.type == Node::Type::Root
                  ? bottom
                  : Bracketed(bottom));
    }
    case Node::Type::Square:
      return Line(node.children[0]) + "²";
    case Node::Type::Root:
      break;
  }
  const Node& inner = node.children[0];
  const std::string text = Line(inner);
  return "√" + (IsSimple(inner) ? text : Bracketed(text));
}

// Layout: boxes with their runs and rules relative to their own baseline's start.
struct Box {
  double width = 0, ascent = 0, descent = 0;
  std::vector<Run> runs;
  std::vector<Rule> rules;

  void Add(const Box& item, double x, double dy) {
    for (Run run : item.runs) {
      run.x += x;
      run.y += dy;
      runs.push_back(std::move(run));
    }
    for (Rule rule : item.rules) {
      rule.x0 += x;
      rule.x1 += x;
      rule.y0 += dy;
      rule.y1 += dy;
      rules.push_back(rule);
    }
    width = std::max(width, x + item.width);
    ascent = std::max(ascent, item.ascent - dy);
    descent = std::max(descent, item.descent + dy);
  }
  void Append(const Box& item, double dy = 0) { Add(item, width, dy); }
};

// An item of a line: a piece that is not broken and whether a line may break before it.
struct Item {
  Box box;
  bool breakBefore;
};

constexpr double kScript = 0.7;  // exponents and indices
constexpr double kNested = 0.8;  // a fraction in a fraction

class Setter {
 public:
  Setter(const FontMetrics& metrics, double size) : m_(metrics), size_(size) {}

  Box Text(const std::string& text, Face face, double size) const {
    Box box{m_.Width(text, face, size), m_.Ascent(size), m_.Descent(size), {}, {}};
    box.runs.push_back({0, 0, text, face, size});
    return box;
  }

  Box Name(const std::string& name, double size, bool bold) const {
    const auto [letter, index] = NameParts(name);
    Box box = Text(letter, bold ? Face::BoldItalic : Face::Italic, size);
    if (!index.empty()) {
      box.Append(Text(index, bold ? Face::Bold : Face::Upright, size * kScript),
                 0.3 * m_.Ascent(size));
    }
    return box;
  }

  Box Number(double value, double size, bool bold) const {
    const WrittenNumber n = WriteNumber(value);
    const Face face = bold ? Face::Bold : Face::Upright;
    if (!n.scaled) {
      return Text(n.digits, face, size);
    }
    Box box = Text(n.digits + "·10", face, size);
    box.Append(Text((n.exponent < 0 ? "−" : "") + std::to_string(std::abs(n.exponent)), face,
                    size * kScript),
               -0.45 * m_.Ascent(size));
    return box;
  }

  double Thickness(double size) const { return std::max(0.04 * m_.Ascent(size), 0.5); }
  double Axis(double size) const { return 0.3 * m_.Ascent(size); }

  Box Lay(const Node& node, double size, bool inFraction) const {
    switch (node.type) {
      case Node::Type::Row: {
        Box box = Empty(size);
        for (const Node& child : node.children) {
          box.Append(Lay(child, size, inFraction));
        }
        return box;
      }
      case Node::Type::Name:
        return Name(node.text, size, false);
      case Node::Type::Number:
        return Number(node.number, size, false);
      case Node::Type::Symbol:
        return Text(node.text, Face::Upright, size);
      case Node::Type::Parens:
        return Parens(Lay(node.children[0], size, inFraction), size);
      case Node::Type::Fraction:
        return Fraction(node, inFraction ? std::max(size * kNested, size_ * 0.5) : size);
      case Node::Type::Square: {
        Box box = Lay(node.children[0], size, inFraction);
        const double script = size * kScript;
        const double raise =
            std::max(0.45 * m_.Ascent(size), box.ascent - 0.75 * m_.Ascent(script));
        box.Append(Text("2", Face::Upright, script), -raise);
        return box;
      }
      case Node::Type::Root:
        break;
    }
    return Root(Lay(node.children[0], size, inFraction), size);
  }

  // Numerator and denominator centred over and under the bar, which stands at the height of
  // a minus sign.
  Box Fraction(const Node& node, double size) const {
    const Box top = Lay(node.children[0], size, true);
    const Box bottom = Lay(node.children[1], size, true);
    const double t = Thickness(size), gap = 0.15 * m_.Ascent(size), pad = 0.1 * m_.Ascent(size);
    const double width = std::max(top.width, bottom.width) + 2 * pad;
    const double bar = -Axis(size);
    Box box = Empty(size);
    box.Add(top, (width - top.width) / 2, bar - t / 2 - gap - top.descent);
    box.Add(bottom, (width - bottom.width) / 2, bar + t / 2 + gap + bottom.ascent);
    box.rules.push_back({0, bar, width, bar, t});
    box.width = width;
    return box;
  }

  // Brackets around a fraction as tall as it and centred on it; an index or an exponent does
  // not make them grow.
  Box Parens(const Box& inner, double size) const {
    const double normal = m_.Ascent(size) + m_.Descent(size);
    const double height = inner.ascent + inner.descent;
    const double tall = height > 1.4 * normal ? size * height / normal : size;
    const double dy = tall == size ? 0
                                   : (inner.descent - inner.ascent) / 2 +
                                         (m_.Ascent(tall) - m_.Descent(tall)) / 2;
    Box box = Empty(size);
    box.Append(Text("(", Face::Upright, tall), dy);
    box.Append(inner);
    box.Append(Text(")", Face::Upright, tall), dy);
    return box;
  }

  // The radical's hook and stroke reach from under the argument to the bar over it.
  Box Root(const Box& inner, double size) const {
    const double t = Thickness(size), gap = 0.12 * m_.Ascent(size);
    const double hook = 0.5 * m_.Ascent(size);
    const double top = -(inner.ascent + gap + t / 2);
    const double bottom = inner.descent;
    Box box = Empty(size);
    box.Add(inner, hook + gap, 0);
    const double end = hook + inner.width + 2 * gap;
    const double tick = bottom - 0.45 * (bottom - top);
    box.rules.push_back({0, tick, hook * 0.4, bottom, t});
    box.rules.push_back({hook * 0.4, bottom, hook, top, t});
    box.rules.push_back({hook, top, end, top, t});
    box.width = end;
    box.ascent = std::max(box.ascent, -top + t);
    return box;
  }

  Box Empty(double size) const { return {0, m_.Ascent(size), m_.Descent(size), {}, {}}; }

  // A formula's items: the terms of its top row apart, so that a line may break between them.
  std::vector<Item> Items(const Formula& formula, double size) const {
    const Node node = Build(formula);
    std::vector<Item> items;
    if (node.type != Node::Type::Row) {
      items.push_back({Lay(node, size, false), false});
      return items;
    }
    for (const Node& child : node.children) {
      items.push_back({Lay(child, size, false), child.breakBefore});
    }
    return items;
  }

  double Size() const { return size_; }

 private:
  const FontMetrics& m_;
  double size_;
};

// Items set in lines from `start` on, lines after the first from `indent` on: a line breaks
// before an item that may begin one where the piece up to the next such item would not fit.
std::vector<Box> Fill(const std::vector<Item>& items, double start, double indent, double width,
                      const Box& empty) {
  std::vector<Box> lines(1, empty);
  lines.back().width = start;
  bool content = false;
  for (std::size_t i = 0; i < items.size();) {
    std::size_t end = i + 1;
    double piece = items[i].box.width;
    while (end < items.size() && !items[end].breakBefore) {
      piece += items[end].box.width;
      ++end;
    }
    if (content && lines.back().width + piece > width) {
      lines.push_back(empty);
      lines.back().width = indent;
    }
    for (; i < end; ++i) {
      lines.back().Append(items[i].box);
    }
    content = true;
  }
  return lines;
}

// Words in items that break at their blanks; a word may not leave what it is glued to.
void AddWords(std::vector<Item>& items, const std::string& words, const Setter& set,
              bool& afterBlank) {
  std::size_t at = 0;
  while (at < words.size()) {
    std::size_t end = words.find(' ', at);
    end = end == std::string::npos ? words.size() : words.find_first_not_of(' ', end);
    end = end == std::string::npos ? words.size() : end;
    const std::string token = words.substr(at, end - at);
    items.push_back({set.Text(token, Face::Upright, set.Size()), afterBlank || token[0] == ' '});
    afterBlank = token.back() == ' ';
    at = end;
  }
}

std::vector<Item> ReasonItems(const std::vector<ReasonPart>& parts, const Setter& set) {
  std::vector<Item> items;
  bool afterBlank = true;
  for (const ReasonPart& part : parts) {
    if (!part.formula) {
      AddWords(items, part.words, set, afterBlank);
      continue;
    }
    std::vector<Item> formula = set.Items(*part.formula, set.Size());
    formula.front().breakBefore = afterBlank;
    if (part.value) {
      Box tail = set.Text(" = ", Face::Upright, set.Size());
      tail.Append(set.Number(*part.value, set.Size(), false));
      if (!part.unit.empty()) {
        tail.Append(set.Text(" " + part.unit, Face::Upright, set.Size()));
      }
      formula.push_back({tail, false});
    }
    items.insert(items.end(), formula.begin(), formula.end());
    afterBlank = false;
  }
  return items;
}

}  // namespace

std::string FormulaText(const Formula& formula) {
  return Line(Build(formula));
}

Block TypesetStep(const RechenwegStep& step, const FontMetrics& metrics, double size,
                  double width) {
  const Setter set(metrics, size);
  const Box empty = set.Empty(size);
  std::vector<Box> lines;
  if (!step.reasonParts.empty()) {
    lines = Fill(ReasonItems(step.reasonParts, set), 0, 0, width, empty);
  }
  const std::size_t reasonLines = lines.size();
  // Every line's "=" stands where the first line's does, after the target.
  const Box target = set.Name(step.target, size, false);
  const Box equals = set.Text(" = ", Face::Upright, size);
  const double column = target.width + equals.width;
  const auto addLine = [&](const std::vector<Item>& items, bool first) {
    Box head = empty;
    if (first) {
      head.Append(target);
    } else {
      head.width = target.width;
    }
    head.Append(equals);
    std::vector<Box> filled = Fill(items, column, column, width, empty);
    filled.front().Add(head, 0, 0);
    lines.insert(lines.end(), filled.begin(), filled.end());
  };
  if (step.written) {
    addLine(set.Items(*step.written, size), true);
    addLine(set.Items(*step.substituted, size), false);
  }
  Box result = set.Number(step.shown, size, true);
  if (!step.unit.empty()) {
    result.Append(set.Text(" " + step.unit, Face::Upright, size));
  }
  if (step.written) {
    addLine({{result, false}}, false);
  } else {
    Box line = set.Name(step.target, size, true);
    line.Append(set.Text(" = ", Face::Bold, size));
    line.Append(result);
    lines.push_back(line);
  }
  // The lines one under the other, the reason apart from the step's own.
  const double gap = 0.35 * metrics.Ascent(size);
  Box all;
  double y = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      y += i == reasonLines ? 2 * gap : gap;
    }
    all.Add(lines[i], 0, y + lines[i].ascent);
    y += lines[i].ascent + lines[i].descent;
  }
  return {all.width, y, std::move(all.runs), std::move(all.rules)};
}

}  // namespace strevo::typeset
