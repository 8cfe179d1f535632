// tanshuku-utf8: starts tanshuku so that a UTF-8 terminal, a pipe or a file
// shows its Shift-JIS (code page 932) screens as UTF-8 and the answers typed
// in UTF-8 reach it in code page 932.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <string_view>

#include "utf8/child.hpp"
#include "utf8/conversion.hpp"
#include "utf8/pipe_mode.hpp"
#include "utf8/terminal_mode.hpp"
#include "utf8/write_all.hpp"

namespace {

constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "Usage: tanshuku-utf8 [--help | --version]\n"
    "Starts tanshuku on a UTF-8 terminal: its Shift-JIS screens are shown in\n"
    "UTF-8, and the answers typed in UTF-8 reach it in Shift-JIS. With input\n"
    "from a pipe or a file both streams are converted, for example\n"
    "  tanshuku-utf8 < answers.txt > session.txt\n"
    "On a terminal it edits the typed line itself and hands full-width digits,\n"
    "signs and Y/N on half-width. The exit status is tanshuku's; when a signal\n"
    "ended tanshuku, tanshuku-utf8 ends by the same signal.\n"
    "\n"
    "使い方: tanshuku-utf8 [--help | --version]\n"
    "UTF-8の端末でtanshukuを起動します。Shift-JISの画面をUTF-8で表示し、\n"
    "UTF-8で入力した答えをShift-JISにしてtanshukuに渡します。パイプや\n"
    "ファイルからの入力でも、入出力の両方を変換します。例:\n"
    "  tanshuku-utf8 < answers.txt > session.txt\n"
    "端末では入力行を自分で編集し、全角の数字・符号・Y/Nを半角にして渡します。\n"
    "終了ステータスはtanshukuのものです。tanshukuがシグナルで終了したときは、\n"
    "tanshuku-utf8も同じシグナルで終了します。\n";

int print(std::string_view text) {
  return writeAll(STDOUT_FILENO, text) ? 0 : Child::outputFailed(errno).code;
}

// The program installed beside the front end; in the build tree both are
// built into the same folder.
std::filesystem::path programBeside(const char* invokedAs) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) self = std::filesystem::absolute(invokedAs, error);
  return self.parent_path() / "tanshuku";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    const std::string_view argument = argv[1];
    if (argc == 2 && argument == "--help") return print(kUsage);
    if (argc == 2 && argument == "--version") return print("tanshuku-utf8 " TANSHUKU_VERSION "\n");
    Child::complain("unknown argument '" + std::string(argument) +
                    "' (tanshuku-utf8 takes none; see tanshuku-utf8 --help)");
    return kUsageError;
  }
  const std::string program = programBeside(argv[0]).string();
  if (access(program.c_str(), X_OK) != 0) {
    const bool missing = errno == ENOENT;
    Child::cannotStart("the program " + program);
    return missing ? Child::kNotFound : Child::kCannotStart;
  }
  // A closed pipe or terminal, and a file grown to its size limit, fail a
  // write instead of ending the front end, as they do for the program.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  // The typed line is edited where both ends are the user's terminal.
  const bool terminal = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  Child::endAs(terminal ? TerminalMode::run(program) : PipeMode::run(program));
}
