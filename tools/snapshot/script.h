// Scripts of the snapshot tool's automation mode: one action a line, read
// from UTF-8 text into a list of actions before anything runs, so that a
// malformed line stops the script before it has touched the window.
//
// A word starting with "#" starts a comment that runs to the end of the
// line, except in the text of "type", which is the rest of its line as it
// stands.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ustring.h"
#include "tools/snapshot/ui_drive.h"

namespace qv::script {

enum class TActionKind { Page, Click, Select, Type, Key, Press, Drag, Hover, Wait, Shot, Dump };

struct TAction {
  TActionKind kind = TActionKind::Dump;
  int line = 0;        // 1-based line of the script
  std::string source;  // the action as written, without comment and blanks around it
  std::string name;    // the control's name (none for press, wait, shot, dump)
  int number = 0;      // page: its number from 1; select: item index; wait: milliseconds
  int dx = 0, dy = 0;  // drag
  ustring text;        // type
  std::vector<drive::TKeyChord> keys;  // key, press
  std::string file;                    // shot: a PNG file name inside the output folder
  std::vector<std::string> names;      // dump: the controls to print; empty: all
};

// An error of a script's line: a malformed action, or one that cannot run.
class EScriptError : public std::runtime_error {
 public:
  EScriptError(int line, const std::string& message);
  int Line() const { return line_; }

 private:
  int line_;
};

// Limits of the numbers a script may give.
inline constexpr int kMaxWaitMs = 600000;
inline constexpr int kMaxDragDistance = 10000;

// Reads a whole script; throws EScriptError naming the first bad line.
std::vector<TAction> ParseScript(std::string_view utf8);

}  // namespace qv::script
