// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target once over each input, without libFuzzer, so that the checked-in seeds are
// regression tests in every build. It takes libFuzzer's command line: inputs are files or
// folders of files, and of the options only -timeout=SECONDS counts: an input that runs longer
// fails at once, named, as under libFuzzer, instead of hanging the test until ctest gives up.
//
//   fuzz_wizard -runs=0 -timeout=10 fuzz/sessions

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

// Runs one input, and ends the program if it takes longer than the limit.
void runWithin(std::chrono::seconds limit, const std::string &name, const std::string &bytes)
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, limit, [&done] { return done; })) {
            std::fprintf(stderr, "%s: still running after %lld s\n", name.c_str(),
                         static_cast<long long>(limit.count()));
            std::_Exit(1);
        }
    });
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    {
        const std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
}

} // namespace

int main(int argc, char *argv[])
{
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    std::chrono::seconds limit(1200); // libFuzzer's own
    for (int i = 1; i < argc; ++i) {
        const fs::path given(argv[i]);
        constexpr std::string_view timeout = "-timeout=";
        if (std::string_view(argv[i]).starts_with(timeout))
            limit = std::chrono::seconds(std::atoi(argv[i] + timeout.size()));
        if (argv[i][0] == '-')
            continue;
        if (fs::is_directory(given)) {
            inputs.insert(inputs.end(), fs::directory_iterator(given), fs::directory_iterator());
        } else {
            inputs.push_back(given);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path &input : inputs) {
        std::ifstream file(input, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", input.string().c_str());
            return 1;
        }
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        std::printf("%s\n", input.filename().string().c_str());
        std::fflush(stdout);
        runWithin(limit, input.string(), bytes);
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
