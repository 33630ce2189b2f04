// strevo-cli as a script starts it: the whole process for the example design, once for the JSON
// on standard output and once for the PDF report.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// The exit status, or -1 when the program could not be started or did not exit by itself.
int RunCli(std::vector<std::string> arguments) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  arguments.insert(arguments.begin(), STREVO_CLI);
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, STREVO_CLI, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
    return -1;
  }
  return WEXITSTATUS(status);
}

void Time(benchmark::State& state, const std::vector<std::string>& arguments) {
  for (auto _ : state) {
    // 0 or 1: computed, with every check met or not; anything else is a failure.
    if (const int status = RunCli(arguments); status != 0 && status != 1) {
      state.SkipWithError("strevo-cli failed");
      break;
    }
  }
}

void BM_CliJson(benchmark::State& state) {
  Time(state, {STREVO_DESIGN_EXAMPLE});
}
BENCHMARK(BM_CliJson)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CliReport(benchmark::State& state) {
  const std::string pdf = (std::filesystem::temp_directory_path() /
                           ("strevo-cli-bench-" + std::to_string(getpid()) + ".pdf"))
                              .string();
  Time(state, {STREVO_DESIGN_EXAMPLE, "--bericht", pdf});
  std::filesystem::remove(pdf);
}
BENCHMARK(BM_CliReport)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
