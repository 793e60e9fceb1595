// The actions of scripts, each as a person performs it with mouse and keys.
#include "tools/snapshot/driver.h"

#include <filesystem>

#include "platform/component/application.h"
#include "platform/controls/combobox.h"
#include "platform/look/plain_look.h"
#include "platform/png_write.h"
#include "platform/window/queue.h"
#include "platform/window/screen_capture.h"
#include "platform/window/window.h"
#include "tools/snapshot/dump.h"
#include "tools/snapshot/ui_drive.h"

namespace qv::script {

namespace {

// Message box texts may hold line breaks; the report keeps one line a box.
std::string OneLine(ustring_view text) {
  std::string out;
  for (const char c : Utf16ToUtf8(text)) {
    if (c == '\r') continue;
    out += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return out;
}

}  // namespace

TScriptDriver::TScriptDriver(THeadlessBackend& input, TForm1& form, std::string out_dir,
                             std::ostream& out)
    : input_(input),
      form_(form),
      out_dir_(std::move(out_dir)),
      out_(out),
      urls_seen_(input.OpenedUrls().size()),
      boxes_seen_(input.MessageBoxes().size()) {}

void TScriptDriver::Run(const std::vector<TAction>& actions) {
  for (const TAction& a : actions) Run(a);
}

void TScriptDriver::Run(const TAction& a) {
  out_ << a.source << std::endl;
  const bool needs_window = a.kind != TActionKind::Wait && a.kind != TActionKind::Dump;
  if (needs_window && !form_.Showing()) throw EScriptError(a.line, "the window is closed");
  try {
    switch (a.kind) {
      case TActionKind::Page: {
        auto& pages = static_cast<TPageControl&>(
            Usable({.kind = a.kind, .line = a.line, .name = form_.sPageControl1->Name()}));
        if (a.number > pages.PageCount())
          throw EScriptError(a.line, "there is no page " + std::to_string(a.number) +
                                         " (the window has " + std::to_string(pages.PageCount()) +
                                         ")");
        drive::ClickTab(input_, pages, a.number - 1);
        break;
      }
      case TActionKind::Click:
        input_.Click(drive::CenterOf(Usable(a)));
        break;
      case TActionKind::Select: {
        auto* combo = dynamic_cast<TCustomComboBox*>(&Usable(a));
        if (combo == nullptr) throw EScriptError(a.line, a.name + " is not a combo box");
        drive::PickItem(input_, *combo, a.number);
        break;
      }
      case TActionKind::Type: {
        TWinControl& c = Focusable(a);
        drive::Focus(input_, c);
        input_.TypeText(a.text);
        break;
      }
      case TActionKind::Key: {
        TWinControl& c = Focusable(a);
        // Keys sent to the window itself go where its focus already is.
        if (&c != &form_) drive::Focus(input_, c);
        for (const drive::TKeyChord& chord : a.keys) drive::PressChord(input_, chord);
        break;
      }
      case TActionKind::Press:
        // Wherever the focus is, as a person at the keyboard; no click first.
        for (const drive::TKeyChord& chord : a.keys) drive::PressChord(input_, chord);
        break;
      case TActionKind::Drag:
        drive::Drag(input_, drive::GripPoint(Usable(a)), a.dx, a.dy);
        break;
      case TActionKind::Hover:
        input_.MoveMouse(drive::CenterOf(Usable(a, false)));
        break;
      case TActionKind::Wait:
        input_.AdvanceTime(static_cast<std::uint64_t>(a.number));
        break;
      case TActionKind::Shot:
        Shot(a);
        break;
      case TActionKind::Dump:
        Dump(a);
        break;
    }
  } catch (const drive::EDriveError& e) {
    ReportRecords();
    throw EScriptError(a.line, e.what());
  } catch (const EScriptError&) {
    throw;
  } catch (const std::exception& e) {
    // A handler's error ends the dispatch of its message, as in the program's
    // message loop: the application's default handler shows it, and the rest
    // of what is queued is dispatched through that loop.
    Application().HandleException(e);
    Application().ProcessMessages();
  }
  ReportRecords();
  if (!form_.Showing() && !closed_reported_) {
    closed_reported_ = true;
    out_ << "window closed" << std::endl;
  }
}

TControl& TScriptDriver::Find(int line, const std::string& name) const {
  TComponent* found = name == form_.Name() ? &form_ : form_.FindComponent(name);
  if (found == nullptr) throw EScriptError(line, "unknown control \"" + name + "\"");
  auto* c = dynamic_cast<TControl*>(found);
  if (c == nullptr) throw EScriptError(line, name + " is not a control");
  return *c;
}

TControl& TScriptDriver::Usable(const TAction& a, bool needs_enabled) const {
  TControl& c = Find(a);
  if (!c.Showing()) throw EScriptError(a.line, a.name + " is hidden");
  if (needs_enabled && !c.IsEnabledInTree()) throw EScriptError(a.line, a.name + " is disabled");
  return c;
}

TWinControl& TScriptDriver::Focusable(const TAction& a) const {
  auto* w = dynamic_cast<TWinControl*>(&Usable(a));
  if (w == nullptr || !w->CanFocus()) throw EScriptError(a.line, a.name + " cannot take the focus");
  return *w;
}

void TScriptDriver::Shot(const TAction& a) {
  namespace fs = std::filesystem;
  const HWND hwnd = form_.WindowHandle();
  TRect window;
  GetWindowRect(hwnd, window);
  // An open drop-down list belongs in the picture, even where it hangs out
  // of the window.
  const TBitmap32 picture = CaptureScreen(hwnd, AreaWithPopups(hwnd, window), FlatPalette().Face);
  const fs::path path = fs::path(out_dir_) / a.file;
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (ec)
    throw EScriptError(
        a.line, "cannot make the folder " + path.parent_path().string() + ": " + ec.message());
  try {
    WritePng(picture, path.string(), TPngAlpha::Opaque);
  } catch (const std::exception& e) {
    throw EScriptError(a.line, "cannot write " + path.string() + ": " + e.what());
  }
}

void TScriptDriver::Dump(const TAction& a) {
  PumpPendingMessages();
  std::vector<const TControl*> controls;
  for (const std::string& name : a.names) controls.push_back(&Find(a.line, name));
  if (a.names.empty()) controls = ControlsOf(form_);
  for (const TControl* c : controls) out_ << DumpLine(*c) << '\n';
  out_.flush();
}

void TScriptDriver::ReportRecords() {
  const auto& urls = input_.OpenedUrls();
  for (; urls_seen_ < urls.size(); ++urls_seen_) out_ << "url: " << urls[urls_seen_] << '\n';
  const auto& boxes = input_.MessageBoxes();
  for (; boxes_seen_ < boxes.size(); ++boxes_seen_)
    out_ << "messagebox: " << OneLine(boxes[boxes_seen_].title) << " | "
         << OneLine(boxes[boxes_seen_].text) << '\n';
  out_.flush();
}

}  // namespace qv::script
