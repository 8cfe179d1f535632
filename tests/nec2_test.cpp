// NEC2 through nec2c (nec/): the decks written, the reports read back and
// checked, and the runs' time limit, interruption and clean-up. Runs the
// real nec2c (scripts/install-dependencies --all installs it), and a slow
// stand-in for it where a run must be stopped.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <complex>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <locale>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "nec/host/posix/child_process.hpp"
#include "nec/host/posix/solver.hpp"
#include "nec/host/posix/solver_process.hpp"
#include "nec/model/deck.hpp"
#include "nec/model/loaded_element.hpp"
#include "test_support/process.hpp"

namespace {

namespace fs = std::filesystem;
using Nec2::Conductor;
using Nec2::LoadedElement;
using Nec2::LoadingCoil;
using Nec2::SolverFailed;
using Form = LoadedElement::Form;

// nec2c prints impedances to five digits, here 0.001 ohm; doubling the
// segments of the cases below moves them by 0.027 ohm or more.
constexpr double kImpedanceToleranceOhm = 0.01;

// The monopole of the NEC2 notes' deck (b): 5 m of 2 mm copper wire over
// perfect ground, 21.3 uH with a Q of 300 at 7.05 MHz half-way up, swept
// from 6.95 MHz in 21 steps of 10 kHz.
LoadedElement coilLoadedMonopole() {
  return {.lengthM = 5.0,
          .diameterM = 0.002,
          .segments = 21,
          .coil = LoadingCoil{2.5, 21.3e-6, 300.0, 7.05},
          .sweep = {6.95, 0.01, 21}};
}

// A quarter wave at 7.05 MHz of 2 mm wire, lossless.
LoadedElement quarterWave(Form form, int segments, Nec2::Sweep sweep) {
  return {.form = form,
          .lengthM = Nec2::wavelengthM(7.05) / 4.0,
          .diameterM = 0.002,
          .segments = segments,
          .conductor = Conductor::perfect,
          .sweep = sweep};
}

// A locale whose numbers have a decimal comma, as many users' have.
struct DecimalComma : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

// An environment variable set for as long as the object lives.
class Setting {
 public:
  Setting(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~Setting() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

bool processGone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

// Every run makes its temporary folder in the test's own, which must be
// empty again when the test ends, whichever way the runs ended.
class Nec2Solver : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(scratch_);
    fs::create_directories(temporaryFolder());
    temporary_.emplace("TMPDIR", temporaryFolder().string());
  }
  void TearDown() override {
    EXPECT_TRUE(fs::is_empty(temporaryFolder())) << "left behind in " << temporaryFolder();
    temporary_.reset();
    fs::remove_all(scratch_);
  }

  fs::path temporaryFolder() const { return scratch_ / "tmp"; }

  // A folder holding a stand-in for nec2c that writes its process id to
  // startedFile() and sleeps for a minute.
  fs::path slowSolverFolder() const {
    fs::create_directories(scratch_ / "slow");
    const fs::path solver = scratch_ / "slow" / "nec2c";
    std::ofstream(solver) << "#!/bin/sh\necho $$ > '" << startedFile().string()
                          << "'\nPATH=/usr/bin:/bin\nexec sleep 60\n";
    fs::permissions(solver, fs::perms::owner_all);
    return solver.parent_path();
  }
  fs::path startedFile() const { return scratch_ / "started"; }

  // The stand-in's process id, once it has started.
  pid_t startedSolver() const {
    for (int wait = 0; wait < 1000; ++wait) {
      std::ifstream file(startedFile());
      std::string line;
      if (std::getline(file, line) && !file.eof()) return static_cast<pid_t>(std::stol(line));
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ADD_FAILURE() << "the stand-in for nec2c did not start";
    return -1;
  }

 private:
  fs::path scratch_ = fs::path(testing::TempDir()) / ("nec2-test-" + std::to_string(getpid()));
  std::optional<Setting> temporary_;
};

// The decks have the cards that make the element: the ground, the coil's
// loss beside its inductance, both halves' coils at the dipole's source in
// series, the conductivity, the source and the sweep, written the same
// under a locale with a decimal comma.
TEST_F(Nec2Solver, DecksHaveTheirCards) {
  LoadedElement monopole = coilLoadedMonopole();
  monopole.groundLossOhm = 2.0;
  LoadedElement baseLoadedDipole{.form = Form::centreFedDipole,
                                 .lengthM = 2.5,
                                 .diameterM = 0.01,
                                 .segments = 10,
                                 .coil = LoadingCoil{0.0, 10e-6, 200.0, 7.05},
                                 .conductor = Conductor::aluminium,
                                 .sweep = {7.05}};
  LoadedElement centreLoadedDipole = baseLoadedDipole;
  centreLoadedDipole.coil->heightM = 1.2;
  centreLoadedDipole.coil->q = std::numeric_limits<double>::infinity();
  centreLoadedDipole.conductor = Conductor::perfect;
  struct Case {
    LoadedElement element;
    const char* deck;
  } cases[] = {{monopole, R"(CM monopole over perfect ground, fed at its base
CE
GW 1 10 0 0 0 0 0 2.38095238 0.001
GW 2 1 0 0 2.38095238 0 0 2.61904762 0.001
GW 3 10 0 0 2.61904762 0 0 5 0.001
GE 1
GN 1
EK 0
LD 0 2 1 1 3.14504841 2.13e-05 0
LD 4 1 1 1 2 0
LD 5 0 0 0 58000000
EX 0 1 1 0 1 0
FR 0 21 0 0 6.95 0.01
PT -1 0 0 0
XQ
EN
)"},
               {baseLoadedDipole, R"(CM centre-fed dipole in free space, each half the element
CE
GW 1 21 0 0 -2.5 0 0 2.5 0.005
GE 0
EK 0
LD 0 1 11 11 4.42964564 2e-05 0
LD 5 0 0 0 35000000
EX 0 1 11 0 1 0
FR 0 1 0 0 7.05 0
PT -1 0 0 0
XQ
EN
)"},
               {centreLoadedDipole, R"(CM centre-fed dipole in free space, each half the element
CE
GW 1 5 0 0 -2.5 0 0 -1.325 0.005
GW 2 1 0 0 -1.325 0 0 -1.075 0.005
GW 3 4 0 0 -1.075 0 0 -0.125 0.005
GW 4 1 0 0 -0.125 0 0 0.125 0.005
GW 5 4 0 0 0.125 0 0 1.075 0.005
GW 6 1 0 0 1.075 0 0 1.325 0.005
GW 7 5 0 0 1.325 0 0 2.5 0.005
GE 0
EK 0
LD 0 2 1 1 0 1e-05 0
LD 0 6 1 1 0 1e-05 0
EX 0 4 1 0 1 0
FR 0 1 0 0 7.05 0
PT -1 0 0 0
XQ
EN
)"}};
  for (const Case& c : cases) {
    EXPECT_EQ(Nec2::deck(Nec2::structureOf(c.element)), c.deck);
    const std::locale previous = std::locale::global(std::locale(std::locale(), new DecimalComma));
    EXPECT_EQ(Nec2::deck(Nec2::structureOf(c.element)), c.deck);
    std::locale::global(previous);
  }
  // The coil sits centred on its own height, wherever that falls among the
  // segments (here on the boundary of the 10th and 11th of 21), and is
  // moved only as far as it must to leave half a segment of wire above it
  // or half a segment between it and the feed segment.
  const double segment = 5.0 / 21.0;
  struct Placement {
    double heightM;
    double placedM;
  } placements[] = {
      {10 * segment, 10 * segment}, {2.5, 2.5}, {5.0 - 0.05, 5.0 - segment / 2}, {0.05, segment}};
  for (const Placement& p : placements) {
    LoadedElement e = coilLoadedMonopole();
    e.coil->heightM = p.heightM;
    EXPECT_NEAR(Nec2::placedCoilHeightM(e), p.placedM, 1e-12) << p.heightM;
    EXPECT_GE(Nec2::shortestSegmentM(e), segment / 2 - 1e-12) << p.heightM;
  }
  EXPECT_NEAR(Nec2::placedCoilHeightM(centreLoadedDipole), 1.2, 1e-12);
}

// A quarter wave of wire over perfect ground resonates a little below its
// frequency at about 36 ohms, and is 39 + j22 ohms at it; the dipole of two
// has about twice that. All lossless: the whole input is radiated.
TEST_F(Nec2Solver, QuarterWaveResonatesAsNec2cSays) {
  struct Case {
    Form form;
    int segments;
    std::complex<double> at6850kHz, at7050kHz;
  } cases[] = {{Form::monopoleOverPerfectGround, 21, {35.946, -1.1379}, {39.163, 22.449}},
               {Form::centreFedDipole, 10, {71.769, -2.6988}, {78.265, 44.432}}};
  for (const Case& c : cases) {
    std::vector<Nec2::Solution> solutions =
        Nec2::solve(Nec2::structureOf(quarterWave(c.form, c.segments, {6.85, 0.2, 2})));
    ASSERT_EQ(solutions.size(), 2u);
    EXPECT_NEAR(solutions[0].feedImpedanceOhm.real(), c.at6850kHz.real(), kImpedanceToleranceOhm);
    EXPECT_NEAR(solutions[0].feedImpedanceOhm.imag(), c.at6850kHz.imag(), kImpedanceToleranceOhm);
    EXPECT_NEAR(solutions[1].feedImpedanceOhm.real(), c.at7050kHz.real(), kImpedanceToleranceOhm);
    EXPECT_NEAR(solutions[1].feedImpedanceOhm.imag(), c.at7050kHz.imag(), kImpedanceToleranceOhm);
    EXPECT_EQ(solutions[1].power.efficiency(), 1.0);
  }
}

// One run gives every step of the sweep, in order: the reactance rises
// through resonance. The coil's loss and the copper's take 22 % of the
// input at 7.05 MHz (the NEC2 notes: 14.84 - j12.20 ohms, 78.3 %).
TEST_F(Nec2Solver, SweepGivesOneSolutionPerStepInOrder) {
  const LoadedElement element = coilLoadedMonopole();
  std::vector<Nec2::Solution> solutions = Nec2::solve(Nec2::structureOf(element));
  ASSERT_EQ(solutions.size(), 21u);
  for (int i = 0; i < 21; ++i) {
    EXPECT_NEAR(solutions[i].frequencyMhz, 6.95 + 0.01 * i, 1e-12);
    if (i > 0) {
      EXPECT_GT(solutions[i].feedImpedanceOhm.imag(), solutions[i - 1].feedImpedanceOhm.imag());
    }
  }
  const std::complex<double> first = solutions[0].feedImpedanceOhm;
  const std::complex<double> middle = solutions[10].feedImpedanceOhm;
  const std::complex<double> last = solutions[20].feedImpedanceOhm;
  EXPECT_NEAR(first.real(), 14.015, kImpedanceToleranceOhm);
  EXPECT_NEAR(first.imag(), -42.994, kImpedanceToleranceOhm);
  EXPECT_NEAR(middle.real(), 14.839, kImpedanceToleranceOhm);
  EXPECT_NEAR(middle.imag(), -12.201, kImpedanceToleranceOhm);
  EXPECT_NEAR(last.real(), 15.733, kImpedanceToleranceOhm);
  EXPECT_NEAR(last.imag(), 19.564, kImpedanceToleranceOhm);
  EXPECT_NEAR(solutions[10].power.efficiency(), 0.78272, 0.00002);
}

// nec2c ends with status 0 after skipping a line that starts with a blank:
// without the source there is no input block, without the frequency card
// it solves at 299.8 MHz. Neither is read as a result; a card nec2c cannot
// read makes it fail, and its message is among the last lines.
TEST_F(Nec2Solver, SkippedCardIsAFailureNotAResult) {
  const LoadedElement element = quarterWave(Form::monopoleOverPerfectGround, 21, {7.0});
  const Nec2::Structure structure = Nec2::structureOf(element);
  const std::string deck = Nec2::deck(structure);
  struct Case {
    const char* card;
    const char* becomes;
    SolverFailed::Cause cause;
    const char* message;
  } cases[] = {{"\nEX", "\n EX", SolverFailed::Cause::incompleteReport, "0 input parameter blocks"},
               {"\nFR", "\n FR", SolverFailed::Cause::incompleteReport, "at 7 MHz"},
               {"\nEX 0 1 1 ", "\nEX 0 1 1.0 ", SolverFailed::Cause::failed, "exit status 255"}};
  for (const Case& c : cases) {
    std::string changed = deck;
    changed.replace(changed.find(c.card), std::strlen(c.card), c.becomes);
    try {
      Nec2::solveDeck(changed, structure.sweep, structure.feed);
      ADD_FAILURE() << c.becomes << ": read as a result";
    } catch (const SolverFailed& failure) {
      EXPECT_EQ(failure.cause(), c.cause) << c.becomes;
      EXPECT_NE(std::string(failure.what()).find(c.message), std::string::npos) << failure.what();
      EXPECT_FALSE(failure.lastLines().empty()) << c.becomes;
      if (c.cause == SolverFailed::Cause::failed) {
        EXPECT_NE(failure.lastLines().find("NON-NUMERICAL CHARACTER"), std::string::npos)
            << failure.lastLines();
      }
    }
  }
}

// Without nec2c on the search path the failure is one of its own, which
// names the package to install.
TEST_F(Nec2Solver, MissingSolverIsToldApart) {
  const fs::path empty = temporaryFolder().parent_path() / "empty";
  fs::create_directories(empty);
  const Setting path("PATH", empty.string());
  const Nec2::Structure structure = Nec2::structureOf(coilLoadedMonopole());
  try {
    Nec2::solve(structure);
    ADD_FAILURE() << "solved without nec2c";
  } catch (const Nec2::SolverMissing& missing) {
    EXPECT_NE(std::string(missing.what()).find("apt-get install nec2c"), std::string::npos);
  }
}

// A run that passes its time limit is stopped, its nec2c killed.
TEST_F(Nec2Solver, SlowSolverIsStoppedAtItsTimeLimit) {
  const Setting path("PATH", slowSolverFolder().string());
  using std::chrono::milliseconds;
  // The run's own limit, or the whole check's where it comes first.
  struct Case {
    milliseconds runLimit;
    std::optional<milliseconds> wholeCheck;
    const char* said;
  } cases[] = {{milliseconds(300), std::nullopt, "nec2c was stopped at its time limit of 0.3 s"},
               {milliseconds(30'000), milliseconds(200),
                "the check was stopped at its time limit of 0.2 s in all"}};
  for (const Case& c : cases) {
    fs::remove(startedFile());
    Nec2::limitWholeCheck(c.wholeCheck);
    const auto start = std::chrono::steady_clock::now();
    try {
      Nec2::solve(Nec2::structureOf(coilLoadedMonopole()), c.runLimit);
      ADD_FAILURE() << "the stand-in gave a result";
    } catch (const SolverFailed& failure) {
      EXPECT_EQ(failure.cause(), SolverFailed::Cause::overTimeLimit) << failure.what();
      EXPECT_NE(std::string(failure.what()).find(c.said), std::string::npos) << failure.what();
    }
    Nec2::limitWholeCheck(std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    const pid_t solver = startedSolver();
    EXPECT_TRUE(processGone(solver));
  }
}

// The runner tells each way a child ends apart: its exit status (127 where
// it could not become the program), the signal that ended it, its time
// limit, and a program that is not on the search path. It runs in its
// folder, reading nothing, with its output and errors in the file named.
TEST_F(Nec2Solver, TheRunnerTellsHowEachChildEnded) {
  using Kind = ChildProcess::Ending::Kind;
  using std::chrono::milliseconds;
  const fs::path folder = temporaryFolder().parent_path() / "runner";
  fs::create_directories(folder);
  const milliseconds generous{60'000};
  struct Case {
    ChildProcess::Command command;
    milliseconds limit;
    Kind kind;
    int number;
  } cases[] = {
      {{.program = "sh", .arguments = {"-c", "exit 3"}}, generous, Kind::exited, 3},
      {{.program = "sh", .arguments = {"-c", "kill -TERM $$"}}, generous, Kind::signalled, SIGTERM},
      {{.program = "/dev/null"}, generous, Kind::exited, 127},
      {{.program = "sleep", .arguments = {"60"}}, milliseconds(300), Kind::overTimeLimit, 0},
      {{.program = "tanshuku-no-such-program"}, generous, Kind::notFound, 0},
      {{.program = "sh",
        .arguments = {"-c", "pwd -P; echo said >&2; read line; echo \"read [$line]\"; exit 4"},
        .folder = folder.string(),
        .readsNothing = true,
        .outputFile = "output"},
       generous,
       Kind::exited,
       4},
  };
  // This process's standard input holds a line meanwhile, which a child
  // that reads nothing must not see.
  int typed[2];
  ASSERT_EQ(pipe(typed), 0);
  ASSERT_EQ(write(typed[1], "typed\n", 6), 6);
  close(typed[1]);
  const int ownInput = dup(STDIN_FILENO);
  dup2(typed[0], STDIN_FILENO);
  close(typed[0]);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command.program + " " +
                 (c.command.arguments.empty() ? "" : c.command.arguments.back()));
    const ChildProcess::Ending ending = ChildProcess::run(c.command, c.limit);
    EXPECT_EQ(ending.kind, c.kind);
    EXPECT_EQ(ending.number, c.number);
  }
  dup2(ownInput, STDIN_FILENO);
  close(ownInput);
  std::ifstream output(folder / "output");
  const std::string said{std::istreambuf_iterator<char>(output), std::istreambuf_iterator<char>()};
  EXPECT_EQ(said, fs::canonical(folder).string() + "\nsaid\nread []\n");

  // One left unfinished is killed and waited for when its object goes.
  pid_t sleeper = -1;
  {
    const ChildProcess::Running unfinished({.program = (slowSolverFolder() / "nec2c").string()});
    EXPECT_TRUE(unfinished.started());
    sleeper = startedSolver();
  }
  EXPECT_TRUE(processGone(sleeper));
}

// Ctrl-C (SIGINT) or SIGTERM to a program in the middle of a run: nec2c is
// killed, the temporary folder removed, and the program ends by the signal.
TEST_F(Nec2Solver, InterruptedRunLeavesNothingBehind) {
  const std::string path = slowSolverFolder().string() + ":" + std::getenv("PATH");
  const std::string probe = probePath("nec2_interrupt_probe");
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(strsignal(signal));
    fs::remove(startedFile());
    const pid_t program = fork();
    if (program == 0) {
      setenv("PATH", path.c_str(), 1);
      execl(probe.c_str(), probe.c_str(), nullptr);
      _exit(127);
    }
    const pid_t solver = startedSolver();
    EXPECT_FALSE(fs::is_empty(temporaryFolder())) << "no run's folder to remove";
    kill(program, signal);
    int status = 0;
    for (int wait = 0; wait < 500 && waitpid(program, &status, WNOHANG) == 0; ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (kill(program, SIGKILL) == 0) {
      waitpid(program, &status, 0);
      ADD_FAILURE() << "the program went on after the signal";
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_TRUE(processGone(solver));
    EXPECT_TRUE(fs::is_empty(temporaryFolder()));
  }
}

}  // namespace
