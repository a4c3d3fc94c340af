// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target once over each input, without libFuzzer, so that the checked-in seeds are
// regression tests in every build. It takes libFuzzer's command line: inputs are files or
// folders of files, and options ("-runs=0") are ignored.
//
//   fuzz_wizard -runs=0 fuzz/sessions

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char *argv[])
{
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path given(argv[i]);
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
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
