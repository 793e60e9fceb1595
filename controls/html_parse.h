// The markup engine of the HTML label: bold, italic, underline, font changes,
// line breaks, character references and links, laid out line by line with
// word wrap in a measuring and a drawing pass onto a canvas, recording where
// every link was drawn. Also the markup helpers a label needs around it:
// plain text of a caption, link hit-testing and opening a clicked link.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/canvas.h"
#include "platform/component/component.h"
#include "platform/controls/alignment.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/ustring.h"
#include "skin/skin_types.h"

namespace qv {

// One link of the markup. A link broken across lines has one piece per line,
// so every part of it answers the mouse.
struct TacLink {
  std::vector<TRect> Pieces;  // canvas (label client) coordinates, text order
  ustring URL;                // the href value; empty when there is none
  bool Contains(TPoint p) const;
};
using TacLinks = std::vector<TacLink>;

// Index of the first link with a piece under p; -1 when there is none.
int LinkAt(const TacLinks& links, TPoint p);

// Link colours by state: normal, hot (under the mouse) and pressed.
struct THtmlLinkColors {
  TColor Normal = RGB(0, 0, 255);
  TColor Hot = RGB(0, 0, 255);
  TColor Pressed = RGB(255, 0, 0);
};
// The colours from an active skin's palette: web text, hot web text, and
// hot web text mixed with the label text (weight 127 of 255). nullptr (no
// active skin) gives blue, blue and red.
THtmlLinkColors HtmlLinkColors(const TacPaletteArray* palette);

// One run of text the engine draws: Text in Font (whose Color is the run's
// colour), top-left aligned in Rect (as wide as the text, as high as the
// line so far), with the draw-text Flags to use. Link is the index of the
// innermost link the run belongs to, -1 outside links.
struct THtmlRun {
  ustring_view Text;
  const TFont& Font;
  TRect Rect;
  unsigned Flags;
  int Link;
};
// The drawing seam: a skinned label plugs its own text routine in here.
using THtmlRunPainter = std::function<void(TCanvas&, const THtmlRun&)>;
// The default: the canvas's text routine, with a transparent background.
void PaintHtmlRun(TCanvas& canvas, const THtmlRun& run);

// The character a reference stands for: name is the text between "&" and
// ";", compared exactly ("amp", "#169"); nullopt when it is not one of the
// recognised names and numbers.
std::optional<char16_t> SpecialCharacter(ustring_view name);

// The caption with every "<...>" removed; character references stay.
ustring StripMarkup(ustring_view caption);

// Raised before a link is opened; may change the address and cancel.
using TLinkClickEvent = std::function<void(TObject* sender, ustring& link, bool& default_action)>;
// The click on link index of links: an index outside links does nothing;
// the event may change the address or veto; an empty address opens nothing.
// The address goes to the platform's opener, which takes only http and
// https. True when it was handed over.
bool ClickHtmlLink(const TacLinks& links, int index, TObject* sender,
                   const TLinkClickEvent& on_link_click, int show_mode);

// Lays markup out and draws it. One object per layout: Init, then HTMLText.
class TsHtml {
 public:
  explicit TsHtml(const THtmlLinkColors& link_colors = {}) : link_colors_(link_colors) {}

  // How lines sit in the area; right to left mirrors that and draws every
  // piece with right-to-left reading.
  TAlignment Alignment = TAlignment::taLeftJustify;
  bool RightToLeft = false;
  // Draws each run; empty means PaintHtmlRun.
  THtmlRunPainter RunPainter;

  // The canvas carries the starting font and text colour; its font is the
  // current font while laying out and is put back afterwards. Links with
  // index pressed_link or hot_link get the pressed or hot look. Text wraps
  // at area.Right when that is above 0.
  void Init(TCanvas& canvas, ustring text, int pressed_link, int hot_link, const TRect& area);
  // Measures (and unless measure_only, draws) the text and returns
  // (0, 0, width of the widest line, height of the text). A drawing call
  // replaces links with those it drew; a measuring call leaves them alone.
  TRect HTMLText(TacLinks& links, bool measure_only);

  // Lines recorded by the last measuring pass: width and height of each.
  const std::vector<TSize>& LineSizes() const { return line_sizes_; }

 private:
  void RunPass(bool calculating);
  ustring_view TakePendingPiece();    // without CR and LF; valid until the next call
  void TryTextOut();                  // flush the pending piece, wrap rule
  void ShowPendingPiece();            // draw it where it is
  void ShowPiece(ustring_view text);  // text without CR and LF
  void DrawRun(ustring_view text, int width);
  void NewRow();
  void InitNewX();
  void UpdateRowHeight();
  int RecordedLine(int index, bool height) const;
  bool GetSpecialCharacter();  // at the "&" of cur_pos_
  bool ExecTag(int end);       // the tag from cur_pos_ to end inclusive
  void ApplyFontAttributes(ustring_view tag);
  void NewFont(bool link);
  void BackFont();
  void OpenLink();
  void CloseLink();
  void EndLinkPieces();    // before a new line
  void StartLinkPieces();  // after it
  int WrapX() const;       // where a wrap test measures from

  THtmlLinkColors link_colors_;
  TCanvas* canvas_ = nullptr;
  TFont start_font_;
  TColor default_font_color_ = clBlack;
  ustring origin_;               // the caption as given
  ustring upped_;                // upper-cased, one unit per unit, for every test
  std::vector<int> next_close_;  // index of the first ">" at or after each index
  ustring piece_;                // the pending piece's text, reused
  int len_ = 0;
  int pressed_link_ = -1;
  int hot_link_ = -1;
  TRect area_;

  bool calculating_ = false;
  int cur_x_ = 0;
  int cur_y_ = 0;
  int line_number_ = 0;
  int max_width_ = 0;
  int cur_width_ = 0;              // width of the current line so far
  int row_height_ = 0;             // height of the current line so far
  int cur_pos_ = 0;                // 0-based index being examined
  int last_pos_ = 0;               // first index not yet drawn
  std::vector<TFont> fonts_;       // pushed by opening FONT and A
  std::vector<TSize> line_sizes_;  // from the measuring pass
  TacLinks links_;
  std::vector<int> open_links_;       // indexes into links_, innermost last
  std::vector<TPoint> piece_starts_;  // start of the open links' current pieces
};

}  // namespace qv
