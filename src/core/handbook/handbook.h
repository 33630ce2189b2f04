// The handbook: one Markdown source (docs/handbuch.md) read into blocks and written as HTML for
// the handbook window and as roff for the manual pages, so that neither can drift from it.
//
// The subset understood:
//   # / ## / ###       headings of three levels
//   text lines         a paragraph, up to a blank line
//   - item / 1. item   lists; a following line indented by blanks continues the item
//   | a | b |          a table; its first row is the header, a row of dashes under it
//   four blanks        a code block (kept line by line)
//   `code`, **bold**   inline, not nested
//   <!-- … -->         a comment, or one of these directives on a line of its own:
//     <!-- manpage NAME: SUMMARY -->  a manual page, with "NAME \- SUMMARY" as its NAME line
//     <!-- man NAME[, NAME]: TITLE --> the next heading and its subsections go to those pages
//                                      as the section TITLE (ÜBERSICHT and BESCHREIBUNG
//                                      come first)
//     <!-- stand: DATE -->             the date the manual pages carry
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace strevo {

enum class HandbookBlockKind { Heading, Paragraph, List, OrderedList, Table, Code };

struct HandbookBlock {
  HandbookBlockKind kind = HandbookBlockKind::Paragraph;
  int level = 0;                               // a heading's, 1 to 3
  std::string text;                            // heading, paragraph or code text
  std::vector<std::string> items;              // a list's items
  std::vector<std::vector<std::string>> rows;  // a table's rows, the header first
  std::vector<std::string> pages;              // the manual pages a marked heading goes to
  std::string manTitle;                        // its section title there
};

struct HandbookPage {
  std::string name;
  std::string summary;
};

struct Handbook {
  std::vector<HandbookBlock> blocks;
  std::vector<HandbookPage> pages;
  std::string date;
};

struct HandbookHeading {
  int level = 0;
  std::string text;    // without markup
  std::string anchor;  // the name of its anchor in the HTML
};

// A construct outside the subset (an unclosed ** or `, an unknown directive, a table row of
// the wrong width); what() names the line.
class HandbookError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Handbook ParseHandbook(std::string_view markdown);

std::vector<HandbookHeading> HandbookHeadings(const Handbook& handbook);

// The body of an HTML page: every heading carries its anchor.
std::string HandbookHtml(const Handbook& handbook);

// The manual page NAME (section 1) as roff; throws HandbookError for a page not declared.
std::string HandbookManPage(const Handbook& handbook, std::string_view page,
                            std::string_view version);

}  // namespace strevo
