// quorvane-snapshot: renders the main window on the headless backend.
//   --out DIR [--ppi N]: writes page1.png ... page5.png into DIR, each with
//   its page made active; the project's review tool for painting.
//   --script FILE [--out DIR] [--ppi N] [--game-host HOST[:PORT]]: drives the
//   window with the script's actions, printing a line for each.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/window/message_box.h"
#include "site/game_site.h"
#include "tools/snapshot/driver.h"
#include "tools/snapshot/host_option.h"
#include "tools/snapshot/script.h"
#include "tools/snapshot/snapshot.h"

namespace {

constexpr std::streamsize kMaxScriptBytes = 16 << 20;

int Usage() {
  std::fputs(
      "usage: quorvane-snapshot --out DIR [--ppi N]\n"
      "       quorvane-snapshot --script FILE [--out DIR] [--ppi N] [--game-host HOST[:PORT]]\n",
      stderr);
  return 2;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "quorvane-snapshot: %s\n", message.c_str());
  return 1;
}

struct TOptions {
  std::string out;
  std::string script;
  std::optional<std::string> game_host;
  int ppi = 96;
};

// Reads the whole script, refusing what cannot be one.
std::optional<std::string> ReadScript(const std::string& path, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = "cannot read " + path;
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    why = "cannot read " + path;
    return std::nullopt;
  }
  std::string s = std::move(text).str();
  if (static_cast<std::streamsize>(s.size()) > kMaxScriptBytes) {
    why = path + " is too large for a script";
    return std::nullopt;
  }
  return s;
}

int RunPages(const TOptions& o) {
  qv::snapshot::StartHeadless(o.ppi);
  std::vector<std::string> written;
  {
    auto form = qv::snapshot::CreateMainWindow();
    written = qv::snapshot::WritePages(qv::snapshot::RenderPages(*form), o.out);
  }
  qv::snapshot::StopHeadless();
  for (const std::string& path : written) std::printf("%s\n", path.c_str());
  return 0;
}

int RunScript(const TOptions& o) {
  std::string why;
  const std::optional<std::string> text = ReadScript(o.script, why);
  if (!text) return Fail(why);
  std::vector<qv::script::TAction> actions;
  try {
    actions = qv::script::ParseScript(*text);
  } catch (const qv::script::EScriptError& e) {
    return Fail(o.script + ": " + e.what());
  }
  if (o.game_host) {
    if (!qv::script::ValidGameHost(*o.game_host))
      return Fail("--game-host takes HOST or HOST:PORT, not \"" + *o.game_host + "\"");
    qv::SetGameHostForRun(qv::Utf8ToUtf16(*o.game_host));
  }

  qv::THeadlessBackend& headless = qv::snapshot::StartHeadless(o.ppi);
  headless.AnswerMessageBoxes(qv::IDOK);
  int status = 0;
  {
    auto form = qv::snapshot::CreateMainWindow();
    qv::script::TScriptDriver driver(headless, *form, o.out.empty() ? "." : o.out, std::cout);
    try {
      driver.Run(actions);
    } catch (const qv::script::EScriptError& e) {
      std::cout.flush();
      status = Fail(o.script + ": " + e.what());
    }
  }
  qv::snapshot::StopHeadless();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) {
      o.out = argv[++i];
    } else if (arg == "--script" && i + 1 < argc) {
      o.script = argv[++i];
    } else if (arg == "--game-host" && i + 1 < argc) {
      o.game_host = argv[++i];
    } else if (arg == "--ppi" && i + 1 < argc) {
      char* end = nullptr;
      const long v = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || v < 48 || v > 480) {
        std::fputs("quorvane-snapshot: --ppi takes a number from 48 to 480\n", stderr);
        return 2;
      }
      o.ppi = static_cast<int>(v);
    } else {
      return Usage();
    }
  }
  if (o.script.empty() && o.game_host) {
    std::fputs("quorvane-snapshot: --game-host applies to --script only\n", stderr);
    return 2;
  }
  if (o.script.empty() && o.out.empty()) return Usage();

  try {
    return o.script.empty() ? RunPages(o) : RunScript(o);
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
}
